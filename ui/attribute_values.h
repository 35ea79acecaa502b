#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace DuiLib {

struct RectValue {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

struct SizeValue {
  int width = 0;
  int height = 0;
};

enum class TextAlign { kLeft, kCenter, kRight };

// Each parser refuses (nullopt) anything it does not fully understand, so a typo in a layout
// file leaves the control's value unchanged rather than setting a half-read one. Spaces
// around numbers are allowed; numbers that overflow an int are refused.
std::optional<int> ParseInteger(std::string_view text);
std::optional<std::vector<int>> ParseIntegerList(std::string_view text);  // "a,b,c"
std::optional<RectValue> ParseRect(std::string_view text);                // "l,t,r,b"
std::optional<SizeValue> ParseSize(std::string_view text);                // "w,h"
std::optional<uint32_t> ParseColor(std::string_view text);                // "#AARRGGBB"
std::optional<bool> ParseBoolean(std::string_view text);                  // "true"/"false"
std::optional<TextAlign> ParseTextAlign(std::string_view text);           // "left"/"center"/"right"

}  // namespace DuiLib
