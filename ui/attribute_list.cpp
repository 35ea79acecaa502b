#include "ui/attribute_list.h"

namespace DuiLib {

namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

void SkipSpaces(std::string_view text, size_t* pos) {
  while (*pos < text.size() && IsSpace(text[*pos])) ++*pos;
}

}  // namespace

std::optional<LayoutAttributes> ParseAttributeList(std::string_view text) {
  LayoutAttributes attributes;
  size_t pos = 0;
  for (;;) {
    SkipSpaces(text, &pos);
    if (pos >= text.size()) return attributes;
    const size_t nameStart = pos;
    while (pos < text.size() && !IsSpace(text[pos]) && text[pos] != '=' && text[pos] != '"') {
      ++pos;
    }
    const std::string_view name = text.substr(nameStart, pos - nameStart);
    SkipSpaces(text, &pos);
    if (name.empty() || pos >= text.size() || text[pos] != '=') return std::nullopt;
    ++pos;
    SkipSpaces(text, &pos);
    if (pos >= text.size() || text[pos] != '"') return std::nullopt;
    const size_t close = text.find('"', pos + 1);
    if (close == std::string_view::npos) return std::nullopt;
    attributes.push_back({std::string(name), std::string(text.substr(pos + 1, close - pos - 1))});
    pos = close + 1;
  }
}

}  // namespace DuiLib
