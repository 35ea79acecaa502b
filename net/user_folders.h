#pragma once
#include <string>

#include "net/image_cache.h"

// The per-user folders on this machine, and the system operations the image cache uses.
namespace net {

std::string LocalAppData();  // CSIDL_LOCAL_APPDATA, no trailing backslash
std::string DownloadDrive();  // "D:", else "E:", else "C:"
// Creates the folder with every missing parent; true when it exists afterwards.
bool EnsureFolder(const std::string& folder);
bool FileExists(const std::string& path);
bool UrlDownloadToFile(const std::string& url, const std::string& path);
// As UrlDownloadToFile, but what arrives must be a picture; anything else is deleted.
bool UrlDownloadImage(const std::string& url, const std::string& path);
ImageCacheOps SystemImageCacheOps();

}  // namespace net
