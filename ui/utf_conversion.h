#pragma once

#include <string>
#include <string_view>

namespace DuiLib {

// Layout files are UTF-8 while the framework's Windows side works in UTF-16. Malformed
// input (stray continuation bytes, overlong forms, encoded surrogates, code points above
// U+10FFFF, unpaired surrogates) becomes U+FFFD instead of failing, so a damaged text
// still shows something.
std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view utf16);

}  // namespace DuiLib
