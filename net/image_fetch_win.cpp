#include "net/image_fetch.h"

#include <windows.h>

#include "net/file_fetch.h"
#include "net/image_signature.h"
#include "platform/files_and_folders.h"

namespace net {

bool FetchImage(const std::string& url, const std::string& path, const TransferBounds& bounds,
                const StopQuestion& stop) {
  if (!FetchFile(url, path, bounds, stop)) return false;
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

ImageCacheOps SystemImageCacheOps() {
  return {platform::EnsureFolder, platform::FileExists,
          [](const std::string& url, const std::string& path) { return FetchImage(url, path); }};
}

}  // namespace net
