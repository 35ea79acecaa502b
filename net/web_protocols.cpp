#include "net/web_protocols.h"

namespace net {

const char* AllowedRedirectProtocols(const std::string& url) {
  static const char kSecure[] = "https://";
  bool secure = url.size() >= sizeof kSecure - 1;
  for (size_t i = 0; secure && i < sizeof kSecure - 1; ++i) {
    const char c = url[i];
    secure = (c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c) == kSecure[i];
  }
  return secure ? "https" : "http,https";
}

CURLcode RestrictToWebProtocols(CURL* curl, const std::string& url) {
  CURLcode result = curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
  if (result == CURLE_OK)
    result = curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, AllowedRedirectProtocols(url));
  return result;
}

}  // namespace net
