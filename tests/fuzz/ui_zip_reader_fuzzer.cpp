// Feeds arbitrary bytes to the zip reader as if they were the embedded skin package.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "ui/skin_package.h"
#include "ui/zip_archive.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  DuiLib::ZipArchive archive;
  if (archive.Open(data, size) != DuiLib::ZipStatus::kOk) return 0;
  std::vector<uint8_t> bytes;
  size_t tried = 0;
  for (const DuiLib::ZipEntry& entry : archive.entries()) {
    if (++tried > 64) break;
    if (archive.Find(entry.name) == nullptr) __builtin_trap();
    const DuiLib::ZipStatus status = archive.Extract(entry, 1 << 20, &bytes);
    if (status == DuiLib::ZipStatus::kOk && bytes.size() != entry.uncompressedSize) {
      __builtin_trap();
    }
  }
  DuiLib::SkinPackage package;
  if (package.OpenOnce(data, size) != DuiLib::ZipStatus::kOk) __builtin_trap();
  std::string text;
  for (size_t i = 0; i < archive.entries().size() && i < 8; ++i) {
    const DuiLib::SkinReadStatus status =
        package.ReadLayoutFile(archive.entries()[i].name, &text);
    if (status == DuiLib::SkinReadStatus::kOk &&
        (text.empty() || text.size() > DuiLib::SkinPackage::kMaxLayoutFileSize)) {
      __builtin_trap();
    }
  }
  return 0;
}
