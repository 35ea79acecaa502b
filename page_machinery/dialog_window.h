#pragma once
#include <windows.h>

#include "ui/win/window_impl_base.h"

namespace app {

// Style bits of every top-level window: visible, caption, system menu, sizing frame and
// minimise box (the framework removes the caption bits again), with a window edge.
constexpr DWORD kWindowStyle = 0x10CE0000;
constexpr DWORD kWindowExStyle = 0x100;

// Creates a dialog's native window as every dialog is created: owned by the active window,
// captioned with the product name, sized by its layout file.
HWND CreateDialogWindow(DuiLib::WindowImplBase& window);

// Creates the window, centres it and shows it modally; returns when it is gone.
void ShowDialogModal(DuiLib::WindowImplBase& window);

// The sender's name when the notification is a click, else empty; names compare without
// regard to letter case, so callers get it in lower case.
std::wstring ClickedName(const DuiLib::TNotifyUI& msg);

}  // namespace app
