#include "ui/skin_package.h"

#include <cstring>

namespace DuiLib {

const char* SkinReadStatusText(SkinReadStatus status) {
  switch (status) {
    case SkinReadStatus::kOk: return "ok";
    case SkinReadStatus::kNotOpen: return "no skin package open";
    case SkinReadStatus::kMissing: return "not in the skin package";
    case SkinReadStatus::kEmpty: return "empty file";
    case SkinReadStatus::kTooLarge: return "file too large";
    case SkinReadStatus::kDamaged: return "damaged entry";
  }
  return "unknown";
}

ZipStatus SkinPackage::OpenOnce(const void* data, size_t size) {
  if (IsOpen()) return ZipStatus::kOk;
  if (data == nullptr || size == 0) return ZipStatus::kNoEndRecord;
  std::vector<uint8_t> buffer(size);
  std::memcpy(buffer.data(), data, size);
  ZipArchive archive;
  const ZipStatus status = archive.Open(buffer.data(), buffer.size());
  if (status != ZipStatus::kOk) return status;
  // Moving a vector keeps its heap block, so the archive's view stays valid.
  buffer_ = std::move(buffer);
  archive_ = std::move(archive);
  return ZipStatus::kOk;
}

SkinReadStatus SkinPackage::ReadEntry(std::string_view name, size_t maxSize, bool refuseEmpty,
                                      std::vector<uint8_t>* bytes) const {
  bytes->clear();
  if (!IsOpen()) return SkinReadStatus::kNotOpen;
  const ZipEntry* entry = archive_.Find(name);
  if (entry == nullptr) return SkinReadStatus::kMissing;
  // Judged on the declared size, before anything is decoded.
  if (refuseEmpty && entry->uncompressedSize == 0) return SkinReadStatus::kEmpty;
  if (entry->uncompressedSize > maxSize) return SkinReadStatus::kTooLarge;
  if (archive_.Extract(*entry, maxSize, bytes) != ZipStatus::kOk) {
    return SkinReadStatus::kDamaged;
  }
  return SkinReadStatus::kOk;
}

SkinReadStatus SkinPackage::ReadLayoutFile(std::string_view name, std::string* text) const {
  text->clear();
  std::vector<uint8_t> bytes;
  const SkinReadStatus status = ReadEntry(name, kMaxLayoutFileSize, true, &bytes);
  if (status == SkinReadStatus::kOk) text->assign(bytes.begin(), bytes.end());
  return status;
}

SkinReadStatus SkinPackage::ReadImage(std::string_view name,
                                      std::vector<uint8_t>* bytes) const {
  return ReadEntry(name, kMaxImageSize, false, bytes);
}

}  // namespace DuiLib
