#pragma once
#include <windows.h>

#include <string>

#include "page_machinery/message_bus.h"
#include "ui/win/child_window.h"

namespace app {

// A page of the main frame: a framework page that is also an endpoint of the bus. Pages send
// on their own bus (the frame is the one listener) and hear nothing on it themselves.
class PageWindow : public DuiLib::ChildWindow, public HandleMessage, public UIAdapter {
 public:
  using ChildWindow::ChildWindow;

  // The page's layout file in the skin package.
  virtual const wchar_t* LayoutFile() const = 0;
  void OnMessage(int, const std::string&) override {}
  void SetFrameWindow(HWND frame) { frameWindow_ = frame; }
  // The framework's page lookup, for the frame and for tests.
  using ChildWindow::FindControl;

 protected:
  HWND frameWindow_ = nullptr;
};

}  // namespace app
