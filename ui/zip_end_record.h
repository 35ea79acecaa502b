#pragma once

#include <cstddef>
#include <cstdint>

#include "ui/zip_status.h"

namespace DuiLib {

// The fields of the end-of-central-directory record that the reader needs.
struct ZipEndRecord {
  size_t position = 0;
  uint16_t entryCount = 0;
  uint32_t directorySize = 0;
  uint32_t directoryOffset = 0;
};

// Finds the record by scanning backwards from the end, past a comment of up to 64 KiB, and
// checks that the central directory it names lies inside the buffer before the record.
ZipStatus FindZipEndRecord(const uint8_t* data, size_t size, ZipEndRecord* record);

}  // namespace DuiLib
