#include "ui/image_attribute.h"

#include "ui/ascii_case.h"

namespace DuiLib {

namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool IsKeyChar(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

void SkipSpaces(std::string_view text, size_t* pos) {
  while (*pos < text.size() && IsSpace(text[*pos])) ++*pos;
}

// A bare name may itself contain '=' or quotes; only "key=" at the very start, followed
// by a quote, makes the text an attribute string.
bool IsAttributeString(std::string_view text) {
  size_t pos = 0;
  while (pos < text.size() && IsKeyChar(text[pos])) ++pos;
  if (pos == 0) return false;
  SkipSpaces(text, &pos);
  if (pos >= text.size() || text[pos] != '=') return false;
  ++pos;
  SkipSpaces(text, &pos);
  return pos < text.size() && (text[pos] == '\'' || text[pos] == '"');
}

bool StoreKey(std::string_view key, std::string_view value, ImageAttribute* image) {
  std::optional<RectValue>* rect = nullptr;
  if (EqualsIgnoringAsciiCase(key, "file")) {
    image->file = std::string(value);
    return true;
  }
  if (EqualsIgnoringAsciiCase(key, "source")) rect = &image->source;
  if (EqualsIgnoringAsciiCase(key, "dest")) rect = &image->dest;
  if (EqualsIgnoringAsciiCase(key, "corner")) rect = &image->corner;
  if (rect == nullptr) return true;
  *rect = ParseRect(value);
  return rect->has_value();
}

std::optional<ImageAttribute> ParseKeys(std::string_view text) {
  ImageAttribute image;
  size_t pos = 0;
  for (;;) {
    SkipSpaces(text, &pos);
    if (pos >= text.size()) break;
    const size_t keyStart = pos;
    while (pos < text.size() && IsKeyChar(text[pos])) ++pos;
    const std::string_view key = text.substr(keyStart, pos - keyStart);
    SkipSpaces(text, &pos);
    if (key.empty() || pos >= text.size() || text[pos] != '=') return std::nullopt;
    ++pos;
    SkipSpaces(text, &pos);
    if (pos >= text.size() || (text[pos] != '\'' && text[pos] != '"')) return std::nullopt;
    const size_t close = text.find(text[pos], pos + 1);
    if (close == std::string_view::npos) return std::nullopt;
    if (!StoreKey(key, text.substr(pos + 1, close - pos - 1), &image)) return std::nullopt;
    pos = close + 1;
  }
  if (image.file.empty()) return std::nullopt;
  return image;
}

}  // namespace

std::optional<ImageAttribute> ParseImageAttribute(std::string_view text) {
  size_t start = 0;
  SkipSpaces(text, &start);
  text.remove_prefix(start);
  while (!text.empty() && IsSpace(text.back())) text.remove_suffix(1);
  if (text.empty()) return std::nullopt;
  if (IsAttributeString(text)) return ParseKeys(text);
  ImageAttribute image;
  image.file = std::string(text);
  return image;
}

}  // namespace DuiLib
