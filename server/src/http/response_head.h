#pragma once
#include <httplib.h>

#include <cstdint>
#include <string>

namespace catalogue {

// Whether a reply with this status carries a body (and so a Content-Length).
bool status_has_body(int status);

// The status line and headers of `res`, with Content-Length `body_bytes` and the connection's
// fate, ending in the blank line.
std::string response_head(const httplib::Response& res, uint64_t body_bytes, bool keep_alive);

}  // namespace catalogue
