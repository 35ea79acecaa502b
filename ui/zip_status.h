#pragma once

namespace DuiLib {

// Why an archive or one of its entries was refused. Every refusal is a value; the reader
// never throws and never touches bytes outside the buffer it was given.
enum class ZipStatus {
  kOk,
  kNoEndRecord,          // no end-of-central-directory record: not a zip, or cut short
  kMultiDisk,            // split archives are not supported
  kZip64,                // sizes or counts that need the ZIP64 extension
  kBadCentralDirectory,  // central directory outside the buffer or malformed
  kNotFound,
  kEncrypted,
  kUnsupportedMethod,    // neither stored (0) nor deflated (8)
  kBadLocalHeader,
  kDataOutOfBounds,      // the entry's data runs past the end of the buffer
  kTooLarge,             // declared size above the caller's limit
  kCorruptData,          // the deflate stream does not decode
  kSizeMismatch,         // decoded size differs from the declared size
  kCrcMismatch,
};

const char* ZipStatusText(ZipStatus status);

}  // namespace DuiLib
