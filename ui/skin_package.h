#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "ui/layout_source.h"
#include "ui/zip_archive.h"

namespace DuiLib {

// The zip of layout files, fonts and images that travels inside the executable. The bytes
// are copied once into a buffer that the package owns for the rest of its life; every
// lookup reads from there.
class SkinPackage : public LayoutSource {
 public:
  static constexpr size_t kMaxLayoutFileSize = 4 * 1024 * 1024;
  // Images are decoded in memory; the largest picture of the skin is far below this.
  static constexpr size_t kMaxImageSize = 32 * 1024 * 1024;

  SkinPackage() = default;
  // A copy would hold an archive view into the other package's buffer. A move keeps the
  // buffer's heap block, so the view stays valid.
  SkinPackage(const SkinPackage&) = delete;
  SkinPackage& operator=(const SkinPackage&) = delete;
  SkinPackage(SkinPackage&&) = default;
  SkinPackage& operator=(SkinPackage&&) = default;

  // The package is read once: when it is already open this does nothing and reports kOk,
  // so every window after the first uses the buffer that is already there.
  ZipStatus OpenOnce(const void* data, size_t size);
  bool IsOpen() const { return archive_.IsOpen(); }

  SkinReadStatus ReadLayoutFile(std::string_view name, std::string* text) const override;
  SkinReadStatus ReadImage(std::string_view name, std::vector<uint8_t>* bytes) const;

 private:
  SkinReadStatus ReadEntry(std::string_view name, size_t maxSize, bool refuseEmpty,
                           std::vector<uint8_t>* bytes) const;

  std::vector<uint8_t> buffer_;
  ZipArchive archive_;
};

}  // namespace DuiLib
