#pragma once
#include <windows.h>
#include <exdisp.h>

#include <memory>
#include <string>

#include "browser/engine.h"
#include "browser/mshtml/browser_events_win.h"

namespace browser {

class ScriptExternal;
class WebBrowserSite;

// One system web browser control, in-place active in a host window of our own, which is the
// window the browser control keeps over its rectangle. Lives on the thread that made it.
class MshtmlBrowser : public EngineBrowser, private BrowserEventHandler {
 public:
  // Null when the control cannot be made or activated.
  static std::unique_ptr<MshtmlBrowser> Create(HWND parent, const RECT& rect, const std::wstring& url,
                                               EngineClient* client);
  ~MshtmlBrowser() override;

  HWND Window() const override { return host_; }
  void LoadUrl(const std::wstring& url) override;
  void SetFocus(bool focused) override;
  void Close() override;

  // The host window's size changed: the control follows.
  void FitToHost();

 private:
  explicit MshtmlBrowser(EngineClient* client) : client_(client) {}
  bool Open(HWND parent, const RECT& rect);

  void OnDocumentComplete(IDispatch* frame) override;
  void OnNavigateError(int status) override;
  bool AllowNavigation(const std::wstring& url) override;

  EngineClient* client_;
  HWND host_ = nullptr;
  IOleObject* object_ = nullptr;
  IWebBrowser2* web_ = nullptr;
  WebBrowserSite* site_ = nullptr;
  ScriptExternal* external_ = nullptr;
  BrowserEventSink* events_ = nullptr;
  DWORD eventsCookie_ = 0;
  int failedStatus_ = 0;  // of the navigation whose document completes next
};

}  // namespace browser
