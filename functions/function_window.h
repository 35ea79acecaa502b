#pragma once
#include "app/page_window.h"

namespace functions {

// The advanced functions page.
class FunctionWindow : public app::PageWindow {
 public:
  using PageWindow::PageWindow;
  const wchar_t* LayoutFile() const override { return L"FunctionWindow.xml"; }
};

}  // namespace functions
