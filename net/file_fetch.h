#pragma once
#include <string>

namespace net {

// Fetches url into path (created or emptied first) in one blocking transfer, for the files
// the repairs run or copy: http and https only, redirects followed but never from https to
// http, the server's certificate checked as every transfer's is, an HTTP error status a
// failure, a transfer that stalls for a minute given up. On failure nothing is left at path.
bool FetchFile(const std::string& url, const std::string& path);

}  // namespace net
