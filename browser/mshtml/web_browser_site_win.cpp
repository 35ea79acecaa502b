#include "browser/mshtml/web_browser_site_win.h"

#include "platform/com_release.h"

namespace browser {

WebBrowserSite::WebBrowserSite(HWND host, IDispatch* external) : host_(host), external_(external) {
  if (external_) external_->AddRef();
}

WebBrowserSite::~WebBrowserSite() { Detach(); }

void WebBrowserSite::Detach() { platform::ReleaseAndClear(external_); }

HRESULT WebBrowserSite::QueryInterface(REFIID riid, void** object) {
  if (object == nullptr) return E_POINTER;
  if (riid == IID_IUnknown || riid == IID_IOleClientSite) *object = static_cast<IOleClientSite*>(this);
  else if (riid == IID_IOleWindow || riid == IID_IOleInPlaceSite) *object = static_cast<IOleInPlaceSite*>(this);
  else if (riid == IID_IOleInPlaceUIWindow || riid == IID_IOleInPlaceFrame)
    *object = static_cast<IOleInPlaceFrame*>(this);
  else if (riid == IID_IDocHostUIHandler) *object = static_cast<IDocHostUIHandler*>(this);
  else {
    *object = nullptr;
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

ULONG WebBrowserSite::AddRef() { return static_cast<ULONG>(::InterlockedIncrement(&references_)); }

ULONG WebBrowserSite::Release() {
  const LONG left = ::InterlockedDecrement(&references_);
  if (left == 0) delete this;
  return static_cast<ULONG>(left);
}

HRESULT WebBrowserSite::GetMoniker(DWORD, DWORD, IMoniker** moniker) {
  if (moniker) *moniker = nullptr;
  return E_NOTIMPL;
}

HRESULT WebBrowserSite::GetContainer(IOleContainer** container) {
  if (container) *container = nullptr;
  return E_NOINTERFACE;
}

HRESULT WebBrowserSite::GetWindow(HWND* window) {
  if (window == nullptr) return E_POINTER;
  *window = host_;
  return S_OK;
}

HRESULT WebBrowserSite::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document,
                                         LPRECT position, LPRECT clip, LPOLEINPLACEFRAMEINFO info) {
  if (frame) {
    *frame = this;
    AddRef();
  }
  if (document) *document = nullptr;
  if (position) ::GetClientRect(host_, position);
  if (clip) ::GetClientRect(host_, clip);
  if (info) {
    info->cb = sizeof(OLEINPLACEFRAMEINFO);
    info->fMDIApp = FALSE;
    info->hwndFrame = ::GetAncestor(host_, GA_ROOT);
    info->haccel = nullptr;
    info->cAccelEntries = 0;
  }
  return S_OK;
}

HRESULT WebBrowserSite::ShowContextMenu(DWORD kind, POINT*, IUnknown*, IDispatch*) {
  // Selected text and edit fields keep the engine's own menu (copy, paste, select all); the
  // page menu, with back, forward, print and view source, is not shown at all.
  if (kind == CONTEXT_MENU_TEXTSELECT || kind == CONTEXT_MENU_CONTROL) return S_FALSE;
  return S_OK;
}

HRESULT WebBrowserSite::GetHostInfo(DOCHOSTUIINFO* info) {
  if (info == nullptr) return E_POINTER;
  info->cbSize = sizeof(DOCHOSTUIINFO);
  info->dwFlags = DOCHOSTUIFLAG_NO3DBORDER | DOCHOSTUIFLAG_THEME | DOCHOSTUIFLAG_DISABLE_HELP_MENU;
  info->dwDoubleClick = DOCHOSTUIDBLCLK_DEFAULT;
  info->pchHostCss = nullptr;
  info->pchHostNS = nullptr;
  return S_OK;
}

HRESULT WebBrowserSite::GetOptionKeyPath(LPOLESTR* key, DWORD) {
  if (key) *key = nullptr;
  return S_FALSE;
}

HRESULT WebBrowserSite::GetDropTarget(IDropTarget*, IDropTarget** target) {
  if (target) *target = nullptr;
  return E_NOTIMPL;
}

HRESULT WebBrowserSite::GetExternal(IDispatch** external) {
  if (external == nullptr) return E_POINTER;
  *external = external_;
  if (external_ == nullptr) return S_FALSE;
  external_->AddRef();
  return S_OK;
}

HRESULT WebBrowserSite::TranslateUrl(DWORD, LPWSTR, LPWSTR* translated) {
  if (translated) *translated = nullptr;
  return S_FALSE;
}

HRESULT WebBrowserSite::FilterDataObject(IDataObject*, IDataObject** result) {
  if (result) *result = nullptr;
  return S_FALSE;
}

}  // namespace browser
