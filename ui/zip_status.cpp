#include "ui/zip_status.h"

namespace DuiLib {

const char* ZipStatusText(ZipStatus status) {
  switch (status) {
    case ZipStatus::kOk: return "ok";
    case ZipStatus::kNoEndRecord: return "no end of central directory record";
    case ZipStatus::kMultiDisk: return "split archive";
    case ZipStatus::kZip64: return "ZIP64 archive";
    case ZipStatus::kBadCentralDirectory: return "bad central directory";
    case ZipStatus::kNotFound: return "entry not found";
    case ZipStatus::kEncrypted: return "encrypted entry";
    case ZipStatus::kUnsupportedMethod: return "unsupported compression method";
    case ZipStatus::kBadLocalHeader: return "bad local file header";
    case ZipStatus::kDataOutOfBounds: return "entry data outside the archive";
    case ZipStatus::kTooLarge: return "entry too large";
    case ZipStatus::kCorruptData: return "corrupt compressed data";
    case ZipStatus::kSizeMismatch: return "size mismatch";
    case ZipStatus::kCrcMismatch: return "CRC mismatch";
  }
  return "unknown";
}

}  // namespace DuiLib
