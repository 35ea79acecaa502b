#pragma once
#include <initializer_list>
#include <string>

namespace repair {

// The pattern with each "%d" or "%s" replaced by the next of `values`, in order. Composed in
// UTF-16 at whatever length it takes: a long package name is shown whole.
std::wstring FillIn(const std::wstring& pattern, std::initializer_list<std::wstring> values);

// Notification types and control names are compared with A-Z folded, nothing else.
bool SameIgnoringCase(const std::wstring& a, const std::wstring& b);

}  // namespace repair
