#pragma once
#include <string>

namespace catalogue {

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool is_valid_utf8(const std::string& text);

}  // namespace catalogue
