#include "net/user_folders.h"
#include "net/user_paths.h"

#include <windows.h>
#include <shlobj.h>
#include <urlmon.h>

#include "platform/platform_utils.h"

namespace net {

std::string LocalAppData() { return platform::SpecialFolder(CSIDL_LOCAL_APPDATA); }

std::string DownloadDrive() {
  return ChooseDownloadDrive([](const char* drive) {
    DWORD drives = GetLogicalDrives();
    return (drives & (1u << (drive[0] - 'A'))) != 0;
  });
}

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

bool UrlDownloadToFile(const std::string& url, const std::string& path) {
  return SUCCEEDED(URLDownloadToFileA(nullptr, url.c_str(), path.c_str(), 0, nullptr));
}

ImageCacheOps SystemImageCacheOps() { return {EnsureFolder, FileExists, UrlDownloadToFile}; }

}  // namespace net
