#pragma once
#include <functional>
#include <string>

#include "catalogue_rules/catalogue_records.h"

namespace net {

// What the image cache needs from the system; the Windows program passes its file fetch and
// the file system (SystemImageCacheOps), the tests a recording stand-in.
struct ImageCacheOps {
  std::function<bool(const std::string& folder)> ensureFolder;
  std::function<bool(const std::string& path)> fileExists;
  std::function<bool(const std::string& url, const std::string& path)> download;
};

constexpr int kImageDownloadTries = 3;

// The list image of one entry in the folder, fetched with up to three tries when it is not
// there yet. True when the file is there at the end.
bool CacheEntryImage(const CatalogueFile& entry, const std::string& imageFolder,
                     const ImageCacheOps& ops);

// A signed-in user's head image in the folder (made first when missing), fetched with up to
// three tries when it is not there yet. True when the file is there at the end.
bool CacheHeadImage(int userId, const std::string& url, const std::string& imageFolder,
                    const ImageCacheOps& ops);

// Fetches the images of the three download lists that are not in the folder yet, each with up
// to three tries; an image that still fails is simply left out. Returns how many files were
// fetched.
int CacheCatalogueImages(const CommonCatalogue& common, const std::string& imageFolder,
                         const ImageCacheOps& ops);

}  // namespace net
