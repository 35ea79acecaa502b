#pragma once

// The product's display name: the caption of every top-level window, the header's title and
// the file name of the desktop shortcut. Written here only.
namespace app {

inline constexpr wchar_t kProductName[] = L"运行库修复助手";

}  // namespace app
