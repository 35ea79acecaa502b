#pragma once

#include <string>
#include <string_view>

#include "ui/utf_conversion.h"

namespace DuiLib {

// wchar_t is UTF-16 on Windows, so the core's u16string converts by copying code units.
inline std::wstring Utf8ToWide(std::string_view utf8) {
  const std::u16string u16 = Utf8ToUtf16(utf8);
  return std::wstring(u16.begin(), u16.end());
}

inline std::string WideToUtf8(std::wstring_view wide) {
  return Utf16ToUtf8(std::u16string(wide.begin(), wide.end()));
}

}  // namespace DuiLib
