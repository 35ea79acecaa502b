#include "platform/windows_folder.h"

#include <cstring>

namespace platform {

namespace {

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool StartsWithIgnoringCase(const std::string& text, const char* prefix) {
  const size_t n = std::strlen(prefix);
  if (text.size() < n) return false;
  for (size_t i = 0; i < n; ++i)
    if (Lower(text[i]) != Lower(prefix[i])) return false;
  return true;
}

bool IsDriveFolder(const std::string& folder) {
  const char drive = Lower(folder.empty() ? '\0' : folder[0]);
  if (folder.size() < 2 || drive < 'a' || drive > 'z' || folder[1] != ':') return false;
  if (folder.size() == 2) return true;
  return folder[2] == '\\' && folder.find('/') == std::string::npos &&
         folder.find(':', 2) == std::string::npos;
}

// Every component a plain name: the mapped path must stay below the Windows folder.
bool StaysBelow(const std::string& rest) {
  if (rest.empty() || rest.find_first_of("/:") != std::string::npos) return false;
  size_t start = 0;
  while (true) {
    const size_t end = rest.find('\\', start);
    const std::string part = rest.substr(start, end == std::string::npos ? std::string::npos : end - start);
    if (part.empty() || part == "." || part == "..") return false;
    if (end == std::string::npos) return true;
    start = end + 1;
  }
}

}  // namespace

std::string MapWindowsFolder(const std::string& cataloguePath, const std::string& windowsFolder) {
  if (!StartsWithIgnoringCase(cataloguePath, kCatalogueWindowsFolder)) return {};
  const std::string rest = cataloguePath.substr(std::strlen(kCatalogueWindowsFolder));
  if (!StaysBelow(rest)) return {};
  std::string folder = windowsFolder;
  if (folder.size() > 2 && folder.back() == '\\') folder.pop_back();
  if (!IsDriveFolder(folder) || folder.back() == '\\') return {};
  return folder + "\\" + rest;
}

}  // namespace platform
