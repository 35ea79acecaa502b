#include "app/run_main_window.h"

#include "page_machinery/dialog_window.h"
#include "app/main_frame_window.h"
#include "page_machinery/product.h"
#include "ui/ex/wnd_shadow.h"

namespace app {

void RunMainWindow(HINSTANCE instance, AppState& state, const std::string& baseUrl) {
  DuiLib::CPaintManagerUI::SetInstance(instance);
  DuiLib::CWndShadow::Initialize(instance);
  MainFrameWindow frame(state, baseUrl);
  // No owner; the layout file gives the size.
  if (frame.Create(nullptr, kProductName, kWindowStyle, kWindowExStyle, 0, 0, 0, 0) == nullptr) return;
  frame.CenterWindow();
  frame.ShowWindow(true, true);
  DuiLib::CPaintManagerUI::MessageLoop();
  DuiLib::CPaintManagerUI::Term();
  frame.ShowWindow(false);
  ::DestroyWindow(frame.GetHWND());
}

}  // namespace app
