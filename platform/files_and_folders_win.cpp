#include "platform/files_and_folders.h"

#include <windows.h>
#include <shlobj.h>

#include "platform/module_paths.h"

namespace platform {

std::string LocalAppData() { return SpecialFolder(CSIDL_LOCAL_APPDATA); }

std::string RepairCacheBase() { return SpecialFolder(CSIDL_COMMON_APPDATA); }

bool EnsureFolder(const std::string& folder) {
  std::string path = folder;
  // SHCreateDirectoryExA refuses a trailing backslash on some systems.
  while (path.size() > 3 && path.back() == '\\') path.pop_back();
  int status = SHCreateDirectoryExA(nullptr, path.c_str(), nullptr);
  if (status == ERROR_SUCCESS || status == ERROR_ALREADY_EXISTS || status == ERROR_FILE_EXISTS) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
  }
  return false;
}

bool FileExists(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace platform
