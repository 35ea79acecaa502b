#pragma once
#include <string>

#include "net/image_cache.h"

// The per-user folders on this machine, and the system operations the image cache uses.
namespace net {

std::string LocalAppData();  // CSIDL_LOCAL_APPDATA, no trailing backslash
// Where the installers and DLLs to be used elevated are cached: ProgramData (CSIDL_COMMON_APPDATA),
// no trailing backslash. The user's own folders could be written by anything the user runs.
std::string RepairCacheBase();
std::string DownloadDrive();  // "D:", else "E:", else "C:"
// Creates the folder with every missing parent; true when it exists afterwards.
bool EnsureFolder(const std::string& folder);
bool FileExists(const std::string& path);
// As FetchFile (net/file_fetch.h), but what arrives must be a picture; anything else is deleted.
bool FetchImage(const std::string& url, const std::string& path);
ImageCacheOps SystemImageCacheOps();

}  // namespace net
