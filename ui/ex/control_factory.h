#pragma once

#include <string>

#include "ui/win/control.h"

namespace DuiLibEx {

// A new extended control for its class name, letter case ignored: "HorizontalLayoutEx",
// "VerticalLayoutUIEx", "BorderButtonUI", "ColorButtonUI". Null for any other name.
DuiLib::CControlUI* CreateExtendedControl(const std::wstring& name);

// The prompt window's CreateControl: names compared exactly. "WXColorButtonUI" is a colour
// button in the sign-in green.
DuiLib::CControlUI* CreatePromptControl(const std::wstring& name);

}  // namespace DuiLibEx
