#pragma once
#include "app/page_window.h"

namespace downloads {

// The game essentials download list.
class GameWindow : public app::PageWindow {
 public:
  using PageWindow::PageWindow;
  const wchar_t* LayoutFile() const override { return L"GameWindow.xml"; }
};

}  // namespace downloads
