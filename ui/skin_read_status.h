#pragma once

namespace DuiLib {

enum class SkinReadStatus {
  kOk,
  kNotOpen,   // no package has been opened
  kMissing,   // no entry of that name, letter case ignored
  kEmpty,     // layout files of zero length are refused
  kTooLarge,  // above the limit for that kind of file
  kDamaged,   // the entry does not decode: bad header, bad data, wrong CRC
};

const char* SkinReadStatusText(SkinReadStatus status);

}  // namespace DuiLib
