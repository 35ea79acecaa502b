#include "net/redirect_guard_win.h"

#include "net/catalogue_rules.h"

namespace net {

namespace {

std::string Utf8(LPCWSTR text) {
  if (!text) return {};
  const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (size <= 1) return {};
  std::string out(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, -1, &out[0], size, nullptr, nullptr);
  out.resize(static_cast<size_t>(size - 1));
  return out;
}

}  // namespace

HRESULT STDMETHODCALLTYPE RedirectGuard::QueryInterface(REFIID id, void** object) {
  if (!object) return E_POINTER;
  if (IsEqualIID(id, IID_IUnknown) || IsEqualIID(id, IID_IBindStatusCallback)) {
    *object = static_cast<IBindStatusCallback*>(this);
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

HRESULT STDMETHODCALLTYPE RedirectGuard::OnProgress(ULONG, ULONG, ULONG status, LPCWSTR text) {
  if (status == BINDSTATUS_REDIRECTING && !RedirectAllowed(url_, Utf8(text))) {
    refused_ = true;
    return E_ABORT;
  }
  return S_OK;
}

}  // namespace net
