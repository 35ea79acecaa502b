#include "platform/path_text.h"

namespace platform {

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
