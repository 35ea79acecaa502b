#pragma once

#include <windows.h>

namespace DuiLib {

class CPaintManagerUI;

// The paint managers of the live windows, for the message loop's key check.
void RegisterManager(CPaintManagerUI* manager);
void UnregisterManager(CPaintManagerUI* manager);
// The manager of `window` or of the nearest parent (through child windows) that has one.
CPaintManagerUI* FindManagerOf(HWND window);

}  // namespace DuiLib
