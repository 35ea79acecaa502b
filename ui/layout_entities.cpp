#include "ui/layout_entities.h"

namespace DuiLib {

namespace {

struct Entity {
  std::string_view text;
  char replacement;
};

constexpr Entity kEntities[] = {
    {"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}, {"&apos;", '\''},
};

}  // namespace

std::string DecodeLayoutEntities(std::string_view raw) {
  std::string out;
  out.reserve(raw.size());
  size_t pos = 0;
  while (pos < raw.size()) {
    if (raw[pos] == '&') {
      bool matched = false;
      for (const Entity& entity : kEntities) {
        if (raw.compare(pos, entity.text.size(), entity.text) == 0) {
          out.push_back(entity.replacement);
          pos += entity.text.size();
          matched = true;
          break;
        }
      }
      if (matched) continue;
    }
    out.push_back(raw[pos++]);
  }
  return out;
}

}  // namespace DuiLib
