#include "ui/zip_archive.h"

#include "ui/ascii_case.h"
#include "ui/zip_bytes.h"
#include "ui/zip_end_record.h"

namespace DuiLib {

using namespace zip_bytes;

ZipStatus ZipArchive::Open(const uint8_t* data, size_t size) {
  data_ = nullptr;
  size_ = 0;
  entries_.clear();
  ZipEndRecord end;
  const ZipStatus status = FindZipEndRecord(data, size, &end);
  if (status != ZipStatus::kOk) return status;
  data_ = data;
  size_ = size;
  const ZipStatus directory =
      ReadCentralDirectory(end.directoryOffset, end.directorySize, end.entryCount);
  if (directory != ZipStatus::kOk) {
    data_ = nullptr;
    size_ = 0;
    entries_.clear();
  }
  return directory;
}

ZipStatus ZipArchive::ReadCentralDirectory(size_t offset, size_t size, uint16_t count) {
  // Every header takes at least 46 bytes, so a count that cannot fit is refused before
  // any memory is reserved for it.
  if (static_cast<uint64_t>(count) * kCentralHeaderSize > size) {
    return ZipStatus::kBadCentralDirectory;
  }
  entries_.reserve(count);
  const uint8_t* directory = data_ + offset;
  size_t pos = 0;
  for (uint16_t i = 0; i < count; ++i) {
    if (!FitsIn(size, pos, kCentralHeaderSize)) return ZipStatus::kBadCentralDirectory;
    const uint8_t* p = directory + pos;
    if (ReadLe32(p) != kCentralHeaderSignature) return ZipStatus::kBadCentralDirectory;
    const uint16_t nameSize = ReadLe16(p + 28);
    const uint64_t recordSize = static_cast<uint64_t>(kCentralHeaderSize) + nameSize +
                                ReadLe16(p + 30) + ReadLe16(p + 32);
    if (nameSize == 0 || !FitsIn(size, pos, recordSize)) {
      return ZipStatus::kBadCentralDirectory;
    }
    ZipEntry entry;
    entry.flags = ReadLe16(p + 8);
    entry.method = ReadLe16(p + 10);
    entry.crc32 = ReadLe32(p + 16);
    entry.compressedSize = ReadLe32(p + 20);
    entry.uncompressedSize = ReadLe32(p + 24);
    entry.localHeaderOffset = ReadLe32(p + 42);
    entry.name.assign(reinterpret_cast<const char*>(p + kCentralHeaderSize), nameSize);
    if (entry.compressedSize == 0xFFFFFFFF || entry.uncompressedSize == 0xFFFFFFFF ||
        entry.localHeaderOffset == 0xFFFFFFFF) {
      return ZipStatus::kZip64;
    }
    entries_.push_back(std::move(entry));
    pos += static_cast<size_t>(recordSize);
  }
  return ZipStatus::kOk;
}

const ZipEntry* ZipArchive::Find(std::string_view name) const {
  for (const ZipEntry& entry : entries_) {
    if (EqualsIgnoringAsciiCase(entry.name, name)) return &entry;
  }
  return nullptr;
}

}  // namespace DuiLib
