#include "platform/path_text.h"

#include <cstring>

namespace platform {

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool StartsWithIgnoringCase(const std::string& text, const char* prefix) {
  const size_t n = std::strlen(prefix);
  if (text.size() < n) return false;
  for (size_t i = 0; i < n; ++i)
    if (LowerAscii(text[i]) != LowerAscii(prefix[i])) return false;
  return true;
}

bool EndsWithIgnoringCase(const std::string& text, const char* suffix) {
  const size_t n = std::strlen(suffix);
  return text.size() >= n && StartsWithIgnoringCase(text.substr(text.size() - n), suffix);
}

bool EqualsIgnoringCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && StartsWithIgnoringCase(a, b.c_str());
}

std::string FolderOfPath(const std::string& path) {
  size_t slash = path.rfind('\\');
  return slash == std::string::npos ? path : path.substr(0, slash);
}

std::string FileNameOfPath(const std::string& path) {
  size_t slash = path.rfind('\\');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string LastUrlSegment(const std::string& url) {
  std::string path = url.substr(0, url.find_first_of("?#"));
  size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string UrlExtension(const std::string& url) {
  std::string segment = LastUrlSegment(url);
  size_t dot = segment.rfind('.');
  return dot == std::string::npos ? std::string() : segment.substr(dot);
}

std::string JoinPath(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  if (folder.back() == '\\') return folder + name;
  return folder + "\\" + name;
}

}  // namespace platform
