#pragma once
#include <string>

// Decimal conversions with the C library's rules, but without its undefined behaviour on
// overflow: the server's "code" texts and the catalogue numbers arrive from outside.
namespace platform {

// Leading white space skipped, optional sign, digits up to the first non-digit; 0 when there
// are none. Values beyond 32 bits saturate instead of wrapping.
int TextToInt(const std::string& text);

std::string IntToText(int value);

}  // namespace platform
