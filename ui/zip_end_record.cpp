#include "ui/zip_end_record.h"

#include "ui/zip_bytes.h"

namespace DuiLib {

using namespace zip_bytes;

namespace {

bool LooksLikeEndRecord(const uint8_t* data, size_t size, size_t pos) {
  if (ReadLe32(data + pos) != kEndRecordSignature) return false;
  // A signature inside the comment of the real record would claim a comment running past
  // the end of the buffer; that is how the two are told apart.
  const uint16_t commentSize = ReadLe16(data + pos + 20);
  return FitsIn(size, pos + kEndRecordSize, commentSize);
}

}  // namespace

ZipStatus FindZipEndRecord(const uint8_t* data, size_t size, ZipEndRecord* record) {
  if (data == nullptr || size < kEndRecordSize) return ZipStatus::kNoEndRecord;
  const size_t last = size - kEndRecordSize;
  const size_t first = last > kMaxCommentSize ? last - kMaxCommentSize : 0;
  for (size_t pos = last + 1; pos-- > first;) {
    if (!LooksLikeEndRecord(data, size, pos)) continue;
    const uint8_t* p = data + pos;
    const uint16_t thisDisk = ReadLe16(p + 4);
    const uint16_t directoryDisk = ReadLe16(p + 6);
    const uint16_t entriesOnDisk = ReadLe16(p + 8);
    record->position = pos;
    record->entryCount = ReadLe16(p + 10);
    record->directorySize = ReadLe32(p + 12);
    record->directoryOffset = ReadLe32(p + 16);
    if (record->entryCount == 0xFFFF || record->directorySize == 0xFFFFFFFF ||
        record->directoryOffset == 0xFFFFFFFF) {
      return ZipStatus::kZip64;
    }
    if (thisDisk != 0 || directoryDisk != 0 || entriesOnDisk != record->entryCount) {
      return ZipStatus::kMultiDisk;
    }
    if (!FitsIn(pos, record->directoryOffset, record->directorySize)) {
      return ZipStatus::kBadCentralDirectory;
    }
    return ZipStatus::kOk;
  }
  return ZipStatus::kNoEndRecord;
}

}  // namespace DuiLib
