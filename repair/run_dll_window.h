#pragma once
#include "app/page_window.h"

namespace repair {

// The runtime library page. Its element and layout file are spelled "Rundll", the class "RunDll".
class RunDllWindow : public app::PageWindow {
 public:
  using PageWindow::PageWindow;
  const wchar_t* LayoutFile() const override { return L"RundllWindow.xml"; }
};

}  // namespace repair
