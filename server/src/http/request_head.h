#pragma once
#include <httplib.h>

#include <cstdint>
#include <string>

namespace catalogue {

// Limits on what a client may send before its request is refused.
constexpr size_t max_request_head_bytes = 16 * 1024;
constexpr size_t max_request_line_bytes = 8 * 1024;
constexpr size_t max_header_lines = 64;  // the program sends four or five
constexpr uint64_t max_request_body_bytes = 64 * 1024;

struct RequestHead {
  int refusal = 0;  // 0: a request to serve; otherwise the HTTP status to refuse it with
  const char* reason = "";
  size_t head_bytes = 0;  // request line and headers with the blank line after them
  uint64_t body_bytes = 0;
  bool keep_alive = true;
};

// Where the head ends in `data`, or 0 while it is incomplete.
size_t request_head_length(const char* data, size_t size);

// Reads a complete head (`head_bytes` from request_head_length) into `req`: method, path
// (percent-decoded), query parameters, headers. A malformed head, one of our limits exceeded, a
// body that is not a plain Content-Length: refusal is set and `req` is not to be served.
RequestHead parse_request_head(const char* data, size_t head_bytes, httplib::Request& req);

// The refusal for a head that is still incomplete at `size` bytes: 414 or 431 once it has grown
// past the limits, else 0.
int incomplete_head_refusal(const char* data, size_t size);

}  // namespace catalogue
