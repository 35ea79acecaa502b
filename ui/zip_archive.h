#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "ui/zip_status.h"

namespace DuiLib {

// One entry as the central directory describes it.
struct ZipEntry {
  std::string name;
  uint16_t flags = 0;
  uint16_t method = 0;
  uint32_t crc32 = 0;
  uint32_t compressedSize = 0;
  uint32_t uncompressedSize = 0;
  uint32_t localHeaderOffset = 0;
};

// A read-only view of a zip archive held in memory. The bytes are not copied: they must
// stay alive and unchanged for as long as the archive is used.
class ZipArchive {
 public:
  ZipStatus Open(const uint8_t* data, size_t size);

  bool IsOpen() const { return data_ != nullptr; }
  const std::vector<ZipEntry>& entries() const { return entries_; }

  // Letter case is ignored: callers ask for "RundllWindow.xml" where the archive
  // stores "RunDllWindow.xml". The first of several matching entries wins.
  const ZipEntry* Find(std::string_view name) const;

  // Decodes one entry into `out`. An entry whose declared size exceeds `maxSize` is refused
  // before anything is allocated, so a hostile archive cannot make us reserve gigabytes.
  ZipStatus Extract(const ZipEntry& entry, size_t maxSize, std::vector<uint8_t>* out) const;

 private:
  ZipStatus ReadCentralDirectory(size_t offset, size_t size, uint16_t count);

  const uint8_t* data_ = nullptr;
  size_t size_ = 0;
  std::vector<ZipEntry> entries_;
};

}  // namespace DuiLib
