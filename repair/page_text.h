#pragma once
#include <initializer_list>
#include <string>

namespace repair {

// The pattern with each "%d" or "%s" replaced by the next of `values`, in order. Composed in
// UTF-16 at whatever length it takes: a long package name is shown whole.
std::wstring FillIn(const std::wstring& pattern, std::initializer_list<std::wstring> values);

}  // namespace repair
