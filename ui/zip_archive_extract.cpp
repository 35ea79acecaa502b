#include <cstring>

#include <zlib.h>

#include "ui/zip_archive.h"
#include "ui/zip_bytes.h"
#include "ui/zip_inflate.h"

namespace DuiLib {

using namespace zip_bytes;

namespace {

constexpr uint16_t kStored = 0;
constexpr uint16_t kDeflated = 8;
// Bit 0 marks traditional encryption, bit 6 strong encryption (APPNOTE 4.4.4).
constexpr uint16_t kEncryptionFlags = 0x0001 | 0x0040;

}  // namespace

ZipStatus ZipArchive::Extract(const ZipEntry& entry, size_t maxSize,
                              std::vector<uint8_t>* out) const {
  out->clear();
  if (!IsOpen()) return ZipStatus::kNotFound;
  if (entry.flags & kEncryptionFlags) return ZipStatus::kEncrypted;
  if (entry.method != kStored && entry.method != kDeflated) {
    return ZipStatus::kUnsupportedMethod;
  }
  if (entry.uncompressedSize > maxSize) return ZipStatus::kTooLarge;
  if (entry.method == kStored && entry.compressedSize != entry.uncompressedSize) {
    return ZipStatus::kSizeMismatch;
  }

  // The local header repeats name and extra field with lengths of its own; only those
  // lengths are trusted to find where the data starts. Sizes come from the central
  // directory, which is also right for entries written with a trailing data descriptor.
  const uint64_t local = entry.localHeaderOffset;
  if (!FitsIn(size_, local, kLocalHeaderSize)) return ZipStatus::kBadLocalHeader;
  const uint8_t* header = data_ + local;
  if (ReadLe32(header) != kLocalHeaderSignature) return ZipStatus::kBadLocalHeader;
  const uint64_t dataOffset =
      local + kLocalHeaderSize + ReadLe16(header + 26) + ReadLe16(header + 28);
  if (!FitsIn(size_, dataOffset, entry.compressedSize)) return ZipStatus::kDataOutOfBounds;
  const uint8_t* compressed = data_ + dataOffset;

  std::vector<uint8_t> bytes(entry.uncompressedSize);
  if (entry.method == kStored) {
    if (!bytes.empty()) std::memcpy(bytes.data(), compressed, bytes.size());
  } else {
    const ZipStatus inflated =
        InflateRaw(compressed, entry.compressedSize, bytes.data(), bytes.size());
    if (inflated != ZipStatus::kOk) return inflated;
  }
  const uLong crc = crc32(crc32(0L, Z_NULL, 0), bytes.data(), static_cast<uInt>(bytes.size()));
  if (crc != entry.crc32) return ZipStatus::kCrcMismatch;
  *out = std::move(bytes);
  return ZipStatus::kOk;
}

}  // namespace DuiLib
