#pragma once
#include <windows.h>

#include "ui/ex/wnd_shadow.h"
#include "ui/win/window_impl_base.h"

namespace app {

// The base of the program's top-level windows: a framework window with a drop shadow.
class ShellWindow : public DuiLib::WindowImplBase {
 protected:
  // Arms the shadow at offset 0,0 with `size` pixels. Not under Wine: without a compositor
  // its X11 driver draws the layered shadow as an opaque black window, and since it only
  // ever raises windows (never lowers one below a sibling) that black window ends up over
  // the window it should be behind.
  void CreateShadow(int size);

  DuiLib::CWndShadow shadow_;
};

// True when the program runs under Wine (its ntdll exports wine_get_version).
bool RunningUnderWine();

}  // namespace app
