#pragma once
#include <string>

namespace catalogue {

// Whether an If-None-Match header names `etag`: "*", or a comma-separated list of tags compared
// weakly (a W/ prefix on either side is ignored), as caches in front of the server send them.
bool if_none_match_names(const std::string& header, const std::string& etag);

}  // namespace catalogue
