#include "repair/page_text.h"

namespace repair {

std::wstring FillIn(const std::wstring& pattern, std::initializer_list<std::wstring> values) {
  std::wstring text;
  const std::wstring* next = values.begin();
  for (size_t i = 0; i < pattern.size(); ++i) {
    bool slot = pattern[i] == L'%' && i + 1 < pattern.size() &&
                (pattern[i + 1] == L'd' || pattern[i + 1] == L's');
    if (slot && next != values.end()) {
      text += *next++;
      ++i;
    } else {
      text += pattern[i];
    }
  }
  return text;
}

}  // namespace repair
