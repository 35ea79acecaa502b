#pragma once
#include <string>

#include "net/image_cache.h"
#include "net/transfer_bounds.h"

// The catalogue's pictures fetched onto this machine.
namespace net {

// A picture is a few kilobytes: one that takes longer than this is not worth the wait.
constexpr TransferBounds kImageBounds{5, 5, 8};

// As FetchFile (net/file_fetch.h), but what arrives must be a picture; anything else is deleted.
bool FetchImage(const std::string& url, const std::string& path, const TransferBounds& bounds = kImageBounds,
                const StopQuestion& stop = {});
// The image cache's operations on this system's folders and network.
ImageCacheOps SystemImageCacheOps();

}  // namespace net
