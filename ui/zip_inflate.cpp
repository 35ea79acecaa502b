#include "ui/zip_inflate.h"

#include <zlib.h>

namespace DuiLib {

ZipStatus InflateRaw(const uint8_t* in, size_t inSize, uint8_t* out, size_t outSize) {
  z_stream stream{};
  // Negative window bits select a raw deflate stream (zlib manual, inflateInit2).
  if (inflateInit2(&stream, -MAX_WBITS) != Z_OK) return ZipStatus::kCorruptData;
  // One spare output byte tells "exactly outSize" from "more than outSize".
  uint8_t spare = 0;
  stream.next_in = const_cast<Bytef*>(in);
  stream.avail_in = static_cast<uInt>(inSize);
  stream.next_out = outSize > 0 ? out : &spare;
  stream.avail_out = static_cast<uInt>(outSize > 0 ? outSize : 1);
  bool usedSpare = outSize == 0;
  int result = Z_OK;
  for (;;) {
    result = inflate(&stream, Z_NO_FLUSH);
    if (result != Z_OK) break;
    if (stream.avail_out == 0 && !usedSpare) {
      usedSpare = true;
      stream.next_out = &spare;
      stream.avail_out = 1;
      continue;
    }
    if (stream.avail_out == 0) break;  // wrote into the spare byte: too long
    if (stream.avail_in == 0) {
      result = Z_BUF_ERROR;  // input used up before the stream's end
      break;
    }
  }
  const uLong produced = stream.total_out;
  inflateEnd(&stream);
  if (result == Z_STREAM_END) {
    return produced == outSize ? ZipStatus::kOk : ZipStatus::kSizeMismatch;
  }
  if (produced > outSize) return ZipStatus::kSizeMismatch;
  return ZipStatus::kCorruptData;
}

}  // namespace DuiLib
