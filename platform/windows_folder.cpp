#include "platform/windows_folder.h"

#include <cstring>

#include "platform/path_text.h"

namespace platform {

namespace {

bool IsDriveFolder(const std::string& folder) {
  const char drive = LowerAscii(folder.empty() ? '\0' : folder[0]);
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
