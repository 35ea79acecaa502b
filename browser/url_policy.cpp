#include "browser/url_policy.h"

namespace browser {

namespace {

bool StartsWithNoCase(const std::string& text, const char* prefix) {
  size_t i = 0;
  for (; prefix[i]; ++i) {
    if (i >= text.size()) return false;
    char c = text[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != prefix[i]) return false;
  }
  return true;
}

}  // namespace

bool IsWebAddress(const std::string& url) {
  for (unsigned char c : url)
    if (c <= 0x20 || c == 0x7F) return false;
  size_t rest;
  if (StartsWithNoCase(url, "http://")) rest = 7;
  else if (StartsWithNoCase(url, "https://")) rest = 8;
  else return false;
  // The host runs up to the path, query, fragment or user part; it must not be empty.
  const size_t end = url.find_first_of("/?#@\\", rest);
  return (end == std::string::npos ? url.size() : end) > rest;
}

bool IsNavigationAllowed(const std::string& url) { return url == "about:blank" || IsWebAddress(url); }

}  // namespace browser
