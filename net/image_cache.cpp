#include "net/image_cache.h"

#include "net/user_paths.h"

namespace net {

namespace {

// True when the picture was fetched now.
bool FetchMissing(const std::string& url, const std::string& target, const ImageCacheOps& ops) {
  for (int attempt = 0; attempt < kImageDownloadTries; ++attempt) {
    // A download that reports success without leaving a file is not a success.
    if (ops.download(url, target) && ops.fileExists(target)) return true;
  }
  return false;
}

}  // namespace

bool CacheEntryImage(const CatalogueFile& entry, const std::string& imageFolder,
                     const ImageCacheOps& ops) {
  const std::string target = imageFolder + ImageFileName(entry);
  return ops.fileExists(target) || FetchMissing(entry.imgUrl, target, ops);
}

bool CacheHeadImage(int userId, const std::string& url, const std::string& imageFolder,
                    const ImageCacheOps& ops) {
  if (!ops.ensureFolder(imageFolder)) return false;
  const std::string target = imageFolder + HeadImageFileName(userId);
  return ops.fileExists(target) || FetchMissing(url, target, ops);
}

int CacheCatalogueImages(const CommonCatalogue& common, const std::string& imageFolder,
                         const ImageCacheOps& ops) {
  if (!ops.ensureFolder(imageFolder)) return 0;
  int fetched = 0;
  for (const CatalogueList* list : {&common.cplusFiles, &common.netFiles, &common.gameFiles}) {
    for (const CatalogueFile& entry : *list) {
      const std::string target = imageFolder + ImageFileName(entry);
      if (!ops.fileExists(target) && FetchMissing(entry.imgUrl, target, ops)) ++fetched;
    }
  }
  return fetched;
}

}  // namespace net
