#pragma once

#include <cstddef>
#include <cstdint>

// Little-endian field access and range checks shared by the zip reader's parts.
namespace DuiLib::zip_bytes {

inline uint16_t ReadLe16(const uint8_t* p) {
  return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

inline uint32_t ReadLe32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
         (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

// True when [offset, offset + length) lies inside a buffer of `size` bytes. Written so that
// no addition can wrap around, whatever the archive declares.
inline bool FitsIn(size_t size, uint64_t offset, uint64_t length) {
  return offset <= size && length <= size - offset;
}

// Record signatures from PKWARE's APPNOTE.TXT (sections 4.3.7, 4.3.12, 4.3.16).
constexpr uint32_t kLocalHeaderSignature = 0x04034b50;
constexpr uint32_t kCentralHeaderSignature = 0x02014b50;
constexpr uint32_t kEndRecordSignature = 0x06054b50;

constexpr size_t kLocalHeaderSize = 30;
constexpr size_t kCentralHeaderSize = 46;
constexpr size_t kEndRecordSize = 22;
constexpr size_t kMaxCommentSize = 0xFFFF;

}  // namespace DuiLib::zip_bytes
