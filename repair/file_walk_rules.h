#pragma once
#include <string>

namespace repair {

// Whether a folder walk passes over an entry of this name: "." and "..", every other name
// that begins with a dot, and names of a single character.
bool SkippedInWalk(const std::wstring& name);

// A file name's extension as the C library's path splitting gives it: from the last ".",
// the dot included; empty when there is none. Letter case is kept.
std::wstring ExtensionOf(const std::wstring& name);

}  // namespace repair
