#pragma once
#include <windows.h>
#include <urlmon.h>

#include <string>

namespace net {

// The status callback of one urlmon download: ends the transfer when urlmon reports a
// redirect that RedirectAllowed refuses (urlmon itself would follow https to http). urlmon
// names the new address with BINDSTATUS_REDIRECTING, and an OnProgress that answers E_ABORT
// ends the binding (IBindStatusCallback::OnProgress on MSDN). Whoever downloads also asks
// refused() afterwards and throws away what arrived, in case the transfer went on anyway.
// Lives on the downloading thread's stack for one synchronous download: no reference count.
class RedirectGuard : public IBindStatusCallback {
 public:
  explicit RedirectGuard(std::string url) : url_(std::move(url)) {}
  virtual ~RedirectGuard() = default;
  bool refused() const { return refused_; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }

  HRESULT STDMETHODCALLTYPE OnStartBinding(DWORD, IBinding*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetPriority(LONG*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE OnLowResource(DWORD) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE OnProgress(ULONG progress, ULONG progressMax, ULONG status, LPCWSTR text) override;
  HRESULT STDMETHODCALLTYPE OnStopBinding(HRESULT, LPCWSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetBindInfo(DWORD*, BINDINFO*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE OnDataAvailable(DWORD, DWORD, FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE OnObjectAvailable(REFIID, IUnknown*) override { return E_NOTIMPL; }

 private:
  std::string url_;
  bool refused_ = false;
};

}  // namespace net
