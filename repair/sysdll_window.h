#pragma once
#include "app/page_window.h"

namespace repair {

// The system DLL page.
class SysdllWindow : public app::PageWindow {
 public:
  using PageWindow::PageWindow;
  const wchar_t* LayoutFile() const override { return L"SysdllWindow.xml"; }
};

}  // namespace repair
