#include "net/user_folders.h"
#include "net/catalogue_rules.h"
#include "net/image_signature.h"
#include "net/file_fetch.h"
#include "net/user_paths.h"

#include <windows.h>
#include <shlobj.h>

#include "platform/platform_utils.h"

namespace net {

std::string LocalAppData() { return platform::SpecialFolder(CSIDL_LOCAL_APPDATA); }

std::string RepairCacheBase() { return platform::SpecialFolder(CSIDL_COMMON_APPDATA); }

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

bool FetchImage(const std::string& url, const std::string& path) {
  if (!FetchFile(url, path)) return false;
  unsigned char head[kImageSignatureBytes] = {};
  DWORD got = 0;
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file != INVALID_HANDLE_VALUE) {
    ReadFile(file, head, sizeof head, &got, nullptr);
    CloseHandle(file);
  }
  if (LooksLikeImage(head, got)) return true;
  DeleteFileA(path.c_str());
  return false;
}

ImageCacheOps SystemImageCacheOps() { return {EnsureFolder, FileExists, FetchImage}; }

}  // namespace net
