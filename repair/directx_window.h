#pragma once
#include "app/page_window.h"

namespace repair {

// The DirectX page.
class DirectXWindow : public app::PageWindow {
 public:
  using PageWindow::PageWindow;
  const wchar_t* LayoutFile() const override { return L"DirectXWindow.xml"; }
};

}  // namespace repair
