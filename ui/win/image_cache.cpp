#include "ui/win/image_cache.h"

#include <map>
#include <mutex>
#include <string>

#include "ui/ascii_case.h"
#include "ui/win/disk_image.h"
#include "ui/win/skin_resource.h"

namespace DuiLib {

std::shared_ptr<const DecodedImage> FindSkinImage(std::string_view name) {
  static std::mutex mutex;
  static std::map<std::string, std::shared_ptr<const DecodedImage>> cache;
  if (name.empty()) return nullptr;
  const std::string key = ToLowerAscii(name);
  std::lock_guard<std::mutex> lock(mutex);
  auto found = cache.find(key);
  if (found != cache.end()) return found->second;
  std::shared_ptr<DecodedImage> image;
  std::vector<uint8_t> bytes;
  if (ProcessSkin().ReadImage(name, &bytes) == SkinReadStatus::kOk) {
    image = std::make_shared<DecodedImage>();
    if (!DecodeImage(bytes, image.get())) image.reset();
  }
  cache.emplace(key, image);
  return image;
}

std::shared_ptr<const DecodedImage> FindPicture(std::string_view name) {
  return IsDiskPicturePath(name) ? FindDiskImage(name) : FindSkinImage(name);
}

}  // namespace DuiLib
