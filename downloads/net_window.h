#pragma once
#include "app/page_window.h"

namespace downloads {

// The .NET runtime download list.
class NetWindow : public app::PageWindow {
 public:
  using PageWindow::PageWindow;
  const wchar_t* LayoutFile() const override { return L"NetWindow.xml"; }
};

}  // namespace downloads
