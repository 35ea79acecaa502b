#pragma once
#include <string>

#include <curl/curl.h>

namespace net {

// Which protocols a redirect may lead to: a transfer that started on https stays on https,
// so that nobody on the way can swap what an https catalogue or file link vouched for.
const char* AllowedRedirectProtocols(const std::string& url);

// Limits a transfer to http and https (libcurl would otherwise also read file:, ftp:, smb:
// and more) and its redirects to AllowedRedirectProtocols. Returns libcurl's result.
CURLcode RestrictToWebProtocols(CURL* curl, const std::string& url);

}  // namespace net
