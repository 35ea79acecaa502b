#pragma once

#include <string>
#include <string_view>

namespace DuiLib {

// Letter case is folded for A-Z only: names in the skin package and in layout files are
// ASCII, and bytes of multi-byte UTF-8 sequences must never compare equal to anything else.
char ToLowerAscii(char c);
std::string ToLowerAscii(std::string_view text);
bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b);

}  // namespace DuiLib
