#include "ui/win/disk_image.h"

#include <windows.h>

#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "ui/ascii_case.h"
#include "ui/win/wide_text.h"

namespace DuiLib {

namespace {

constexpr ULONGLONG kMostBytes = 16ull * 1024 * 1024;

struct FileStamp {
  ULONGLONG size = 0;
  ULONGLONG written = 0;
  bool exists = false;
  bool operator==(const FileStamp& o) const {
    return size == o.size && written == o.written && exists == o.exists;
  }
};

struct CachedPicture {
  FileStamp stamp;
  std::shared_ptr<const DecodedImage> image;
};

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

FileStamp StampOf(const std::wstring& path) {
  FileStamp stamp;
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) ||
      (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
    return stamp;
  stamp.exists = true;
  stamp.size = (ULONGLONG(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  stamp.written = (ULONGLONG(data.ftLastWriteTime.dwHighDateTime) << 32) |
                  data.ftLastWriteTime.dwLowDateTime;
  return stamp;
}

bool ReadWholeFile(const std::wstring& path, ULONGLONG size, std::vector<uint8_t>* bytes) {
  // Shared for writing too: a download still in progress must not be locked out by us.
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  bytes->resize(static_cast<size_t>(size));
  DWORD got = 0;
  const bool ok = ::ReadFile(file, bytes->data(), static_cast<DWORD>(size), &got, nullptr) &&
                  got == size;
  ::CloseHandle(file);
  return ok;
}

std::shared_ptr<const DecodedImage> Decode(const std::wstring& path, const FileStamp& stamp) {
  if (!stamp.exists || stamp.size == 0 || stamp.size > kMostBytes) return nullptr;
  std::vector<uint8_t> bytes;
  if (!ReadWholeFile(path, stamp.size, &bytes)) return nullptr;
  auto image = std::make_shared<DecodedImage>();
  if (!DecodeImage(bytes, image.get())) return nullptr;
  return image;
}

}  // namespace

bool IsDiskPicturePath(std::string_view name) {
  if (name.size() >= 3 && IsAsciiLetter(name[0]) && name[1] == ':' &&
      (name[2] == '\\' || name[2] == '/'))
    return true;
  return name.size() >= 3 && name[0] == '\\' && name[1] == '\\';
}

std::shared_ptr<const DecodedImage> FindDiskImage(std::string_view utf8Path) {
  static std::mutex mutex;
  static std::map<std::string, CachedPicture> cache;
  const std::wstring path = Utf8ToWide(utf8Path);
  // Only the stamp is read on every look, so a paint costs one attribute query per picture.
  const FileStamp stamp = StampOf(path);
  const std::string key = ToLowerAscii(utf8Path);
  {
    std::lock_guard<std::mutex> lock(mutex);
    auto found = cache.find(key);
    if (found != cache.end() && found->second.stamp == stamp) return found->second.image;
  }
  std::shared_ptr<const DecodedImage> image = Decode(path, stamp);
  std::lock_guard<std::mutex> lock(mutex);
  cache[key] = CachedPicture{stamp, image};
  return image;
}

}  // namespace DuiLib
