#include "net/image_cache.h"

#include "net/user_paths.h"

namespace net {

int CacheCatalogueImages(const CommonCatalogue& common, const std::string& imageFolder,
                         const ImageCacheOps& ops) {
  if (!ops.ensureFolder(imageFolder)) return 0;
  int fetched = 0;
  for (const CatalogueList* list : {&common.cplusFiles, &common.netFiles, &common.gameFiles}) {
    for (const CatalogueFile& entry : *list) {
      std::string target = imageFolder + ImageFileName(entry);
      if (ops.fileExists(target)) continue;
      for (int attempt = 0; attempt < kImageDownloadTries; ++attempt) {
        // A download that reports success without leaving a file is not a success.
        if (ops.download(entry.imgUrl, target) && ops.fileExists(target)) {
          ++fetched;
          break;
        }
      }
    }
  }
  return fetched;
}

}  // namespace net
