#pragma once

#include <cstddef>
#include <cstdint>

#include "ui/zip_status.h"

namespace DuiLib {

// Decodes a raw deflate stream (no zlib or gzip wrapper, as zip stores it) into exactly
// `outSize` bytes. A stream that ends early, decodes to more than `outSize` bytes or is
// malformed is refused.
ZipStatus InflateRaw(const uint8_t* in, size_t inSize, uint8_t* out, size_t outSize);

}  // namespace DuiLib
