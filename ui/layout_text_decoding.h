#pragma once

#include <string>
#include <string_view>

namespace DuiLib {

// Turns the bytes of a layout file into the UTF-8 text that the lexer reads. A UTF-8
// byte-order mark is dropped; UTF-16 with a byte-order mark (either byte order) is
// converted. Text without a mark is taken as it is: the package holds UTF-8.
std::string DecodeLayoutText(std::string_view bytes);

}  // namespace DuiLib
