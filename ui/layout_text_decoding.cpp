#include "ui/layout_text_decoding.h"

#include "ui/utf_conversion.h"

namespace DuiLib {

namespace {

std::u16string ReadUtf16(std::string_view bytes, bool bigEndian) {
  std::u16string units;
  units.reserve(bytes.size() / 2);
  // An odd trailing byte cannot be half of anything meaningful and is dropped.
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const auto first = static_cast<unsigned char>(bytes[i]);
    const auto second = static_cast<unsigned char>(bytes[i + 1]);
    units.push_back(static_cast<char16_t>(bigEndian ? (first << 8) | second
                                                    : (second << 8) | first));
  }
  return units;
}

bool StartsWith(std::string_view bytes, std::string_view prefix) {
  return bytes.substr(0, prefix.size()) == prefix;
}

}  // namespace

std::string DecodeLayoutText(std::string_view bytes) {
  if (StartsWith(bytes, "\xEF\xBB\xBF")) return std::string(bytes.substr(3));
  if (StartsWith(bytes, "\xFF\xFE")) return Utf16ToUtf8(ReadUtf16(bytes.substr(2), false));
  if (StartsWith(bytes, "\xFE\xFF")) return Utf16ToUtf8(ReadUtf16(bytes.substr(2), true));
  return std::string(bytes);
}

}  // namespace DuiLib
