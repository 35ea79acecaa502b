#pragma once
#include "app/page_window.h"

namespace downloads {

// The C++ runtime download list; the class and its file keep the established spelling.
class CPlusWinodw : public app::PageWindow {
 public:
  using PageWindow::PageWindow;
  const wchar_t* LayoutFile() const override { return L"CPlusWinodw.xml"; }
};

}  // namespace downloads
