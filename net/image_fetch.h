#pragma once
#include <string>

#include "net/image_cache.h"

// The catalogue's pictures fetched onto this machine.
namespace net {

// As FetchFile (net/file_fetch.h), but what arrives must be a picture; anything else is deleted.
bool FetchImage(const std::string& url, const std::string& path);
// The image cache's operations on this system's folders and network.
ImageCacheOps SystemImageCacheOps();

}  // namespace net
