#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "browser/cef_listener.h"
#include "ui/win/control.h"
#include "ui/win/paint_manager.h"

namespace browser {

// A control that shows a web page: it asks the current engine for a browser when it joins a
// window, keeps the browser's native window over its own rectangle (placed, sized, shown and
// hidden with the control and its parents), hands the window's focus on to the page and tells
// its listener about finished loads and script calls. It is made in code, never by a layout
// file, and may be made and added on any thread: the browser itself is always made by a task
// on the engine's thread.
class CCefCommonUI : public DuiLib::CControlUI, public DuiLib::IMessageFilterUI {
 public:
  // The listener is not owned and may be null.
  CCefCommonUI(DuiLib::CPaintManagerUI* manager, CefListener* listener);
  ~CCefCommonUI() override;

  std::wstring GetClass() const override { return L"CefCommonUI"; }
  DuiLib::CControlUI* GetInterface(const std::wstring& name) override;

  // Only web pages (http and https) are shown; any other address is ignored. With the browser
  // already made, it loads the page at once.
  void SetUrl(const std::wstring& url);
  std::wstring GetUrl() const;
  // "homepage" in a layout-style call means SetUrl.
  bool ApplyAttribute(std::string_view name, std::string_view value) override;

  void SetPos(RECT rect) override;
  void SetVisible(bool visible = true) override;
  void SetInternVisible(bool visible = true) override;
  void SetManager(DuiLib::CPaintManagerUI* manager, DuiLib::CControlUI* parent) override;
  void DoPaint(DuiLib::Canvas& canvas, const RECT& dirty) override;
  LRESULT MessageHandler(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;

  // The browser's native window once the engine has made it, else null.
  HWND BrowserWindow() const;

 private:
  struct Shared;
  void RequestBrowser(HWND parent);
  void FollowControl();

  std::shared_ptr<Shared> shared_;
  DuiLib::CPaintManagerUI* filterManager_ = nullptr;  // where the message filter is registered
  bool browserRequested_ = false;
};

}  // namespace browser
