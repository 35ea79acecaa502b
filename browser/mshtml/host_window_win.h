#pragma once
#include <windows.h>

namespace browser {

class MshtmlBrowser;

// The child window that a web browser control is in-place active in. Its size changes reach
// the browser, so the page always fills it.
HWND CreateHostWindow(HWND parent, const RECT& rect, MshtmlBrowser* browser);
// The browser is going: the window's messages no longer reach it.
void ForgetHostWindow(HWND host);

}  // namespace browser
