#pragma once
#include <windows.h>

#include "ui/ex/wnd_shadow.h"
#include "ui/win/window_impl_base.h"

namespace app {

// The base of the program's top-level windows: a framework window with a drop shadow.
class ShellWindow : public DuiLib::WindowImplBase {
 protected:
  // Arms the shadow at offset 0,0 with `size` pixels. (Where the desktop cannot blend a
  // layered window, under Wine without a compositor, the shadow makes no window of its own.)
  void CreateShadow(int size);

  DuiLib::CWndShadow shadow_;
};

}  // namespace app
