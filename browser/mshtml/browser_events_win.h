#pragma once
#include <windows.h>
#include <oaidl.h>

#include <string>

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
class BrowserEventSink final : public IDispatch {
 public:
  explicit BrowserEventSink(BrowserEventHandler* handler) : handler_(handler) {}
  void Detach() { handler_ = nullptr; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*,
                                   UINT*) override;

 private:
  ~BrowserEventSink() = default;

  LONG references_ = 1;
  BrowserEventHandler* handler_;
};

}  // namespace browser
