#pragma once
#include "app/page_window.h"
#include "functions/click_route.h"

namespace functions {

// The advanced functions page: the tile grid and eight detail sub-pages, one shown at a time.
// Its "立即修复" buttons ask the frame over the bus for the runtime scan or the system DLL
// repair, which the pages of those tabs do. It ignores the frame's commands and timers.
class FunctionWindow : public app::PageWindow {
 public:
  using PageWindow::PageWindow;
  const wchar_t* LayoutFile() const override { return L"FunctionWindow.xml"; }
  void Notify(DuiLib::TNotifyUI& msg) override;

 protected:
  void InitControls() override;

 private:
  // Hides all nine sub-pages, then shows the one of `index`.
  void ShowOnly(int index);

  DuiLib::CControlUI* subPages_[kSubPageCount] = {};
};

}  // namespace functions
