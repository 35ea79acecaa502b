#include "repair/file_walk_rules.h"

namespace repair {

bool SkippedInWalk(const std::wstring& name) { return name.size() < 2 || name[0] == L'.'; }

std::wstring ExtensionOf(const std::wstring& name) {
  const size_t dot = name.rfind(L'.');
  return dot == std::wstring::npos ? std::wstring() : name.substr(dot);
}

}  // namespace repair
