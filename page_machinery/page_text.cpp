#include "page_machinery/page_text.h"

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

bool SameIgnoringCase(const std::wstring& a, const std::wstring& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    wchar_t x = a[i] >= L'A' && a[i] <= L'Z' ? wchar_t(a[i] + 32) : a[i];
    wchar_t y = b[i] >= L'A' && b[i] <= L'Z' ? wchar_t(b[i] + 32) : b[i];
    if (x != y) return false;
  }
  return true;
}

}  // namespace repair
