#pragma once
#include <windows.h>

#include <string>

#include "browser/mshtml/plain_dispatch_win.h"

namespace browser {

// What the web browser control's events mean to its owner.
class BrowserEventHandler {
 public:
  // A document of the main frame or a sub-frame has loaded; `frame` is that frame's browser.
  virtual void OnDocumentComplete(IDispatch* frame) = 0;
  // A navigation failed with this HTTP status or error code.
  virtual void OnNavigateError(int status) = 0;
  // Whether a frame may go to `url`.
  virtual bool AllowNavigation(const std::wstring& url) = 0;

 protected:
  ~BrowserEventHandler() = default;
};

// The sink for DWebBrowserEvents2, the control's event interface. Pop-up windows are always
// refused: the program runs elevated, and a window it does not control must not open from it.
class BrowserEventSink final : public PlainDispatch {
 public:
  explicit BrowserEventSink(BrowserEventHandler* handler);
  void Detach() { handler_ = nullptr; }

  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*,
                                   UINT*) override;

 private:
  BrowserEventHandler* handler_;
};

}  // namespace browser
