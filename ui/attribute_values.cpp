#include "ui/attribute_values.h"

#include <climits>

#include "ui/ascii_case.h"

namespace DuiLib {

namespace {

std::string_view TrimSpaces(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

std::optional<std::vector<int>> ParseExactly(std::string_view text, size_t count) {
  std::optional<std::vector<int>> numbers = ParseIntegerList(text);
  if (!numbers || numbers->size() != count) return std::nullopt;
  return numbers;
}

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  const char lower = ToLowerAscii(c);
  if (lower >= 'a' && lower <= 'f') return lower - 'a' + 10;
  return -1;
}

}  // namespace

std::optional<int> ParseInteger(std::string_view text) {
  text = TrimSpaces(text);
  bool negative = false;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  if (text.empty()) return std::nullopt;
  long long value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
    if (value > static_cast<long long>(INT_MAX) + 1) return std::nullopt;
  }
  if (negative) value = -value;
  if (value > INT_MAX || value < INT_MIN) return std::nullopt;
  return static_cast<int>(value);
}

std::optional<std::vector<int>> ParseIntegerList(std::string_view text) {
  std::vector<int> numbers;
  for (;;) {
    const size_t comma = text.find(',');
    const std::optional<int> number = ParseInteger(text.substr(0, comma));
    if (!number) return std::nullopt;
    numbers.push_back(*number);
    if (comma == std::string_view::npos) return numbers;
    text.remove_prefix(comma + 1);
  }
}

std::optional<RectValue> ParseRect(std::string_view text) {
  const auto numbers = ParseExactly(text, 4);
  if (!numbers) return std::nullopt;
  return RectValue{(*numbers)[0], (*numbers)[1], (*numbers)[2], (*numbers)[3]};
}

std::optional<SizeValue> ParseSize(std::string_view text) {
  const auto numbers = ParseExactly(text, 2);
  if (!numbers) return std::nullopt;
  return SizeValue{(*numbers)[0], (*numbers)[1]};
}

std::optional<uint32_t> ParseColor(std::string_view text) {
  text = TrimSpaces(text);
  if (text.size() != 9 || text.front() != '#') return std::nullopt;
  uint32_t value = 0;
  for (char c : text.substr(1)) {
    const int digit = HexDigitValue(c);
    if (digit < 0) return std::nullopt;
    value = (value << 4) | static_cast<uint32_t>(digit);
  }
  return value;
}

std::optional<bool> ParseBoolean(std::string_view text) {
  text = TrimSpaces(text);
  if (EqualsIgnoringAsciiCase(text, "true")) return true;
  if (EqualsIgnoringAsciiCase(text, "false")) return false;
  return std::nullopt;
}

std::optional<TextAlign> ParseTextAlign(std::string_view text) {
  text = TrimSpaces(text);
  if (EqualsIgnoringAsciiCase(text, "left")) return TextAlign::kLeft;
  if (EqualsIgnoringAsciiCase(text, "center")) return TextAlign::kCenter;
  if (EqualsIgnoringAsciiCase(text, "right")) return TextAlign::kRight;
  return std::nullopt;
}

}  // namespace DuiLib
