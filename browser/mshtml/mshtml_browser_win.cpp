#include "browser/mshtml/mshtml_browser_win.h"

#include <mshtml.h>
#include <ocidl.h>

#include "browser/mshtml/host_window_win.h"
#include "browser/mshtml/script_external_win.h"
#include "browser/mshtml/script_install_win.h"
#include "browser/mshtml/web_browser_site_win.h"
#include "browser/url_policy.h"
#include "platform/com_release.h"
#include "ui/win/wide_text.h"

namespace browser {

namespace {

constexpr int kLoadedStatus = 200;

}  // namespace

std::unique_ptr<MshtmlBrowser> MshtmlBrowser::Create(HWND parent, const RECT& rect, const std::wstring& url,
                                                     EngineClient* client) {
  std::unique_ptr<MshtmlBrowser> browser(new MshtmlBrowser(client));
  if (!browser->Open(parent, rect)) return nullptr;
  browser->LoadUrl(url);
  return browser;
}

bool MshtmlBrowser::Open(HWND parent, const RECT& rect) {
  host_ = CreateHostWindow(parent, rect, this);
  if (host_ == nullptr) return false;
  if (FAILED(::CoCreateInstance(CLSID_WebBrowser, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject,
                                reinterpret_cast<void**>(&object_))))
    return false;
  external_ = new ScriptExternal([this](const ScriptMessage& message) {
    if (client_) client_->OnScriptMessage(message);
  });
  site_ = new WebBrowserSite(host_, external_);
  if (FAILED(object_->SetClientSite(site_))) return false;
  RECT client;
  ::GetClientRect(host_, &client);
  if (FAILED(object_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, site_, 0, host_, &client))) return false;
  if (FAILED(object_->QueryInterface(IID_IWebBrowser2, reinterpret_cast<void**>(&web_)))) return false;
  // No script error boxes, and nothing dropped on the page navigates it.
  web_->put_Silent(VARIANT_TRUE);
  web_->put_RegisterAsDropTarget(VARIANT_FALSE);
  platform::ComHeld<IConnectionPointContainer> points;
  if (SUCCEEDED(web_->QueryInterface(IID_IConnectionPointContainer, points.out()))) {
    platform::ComHeld<IConnectionPoint> point;
    if (SUCCEEDED(points.p->FindConnectionPoint(DIID_DWebBrowserEvents2, &point.p))) {
      events_ = new BrowserEventSink(this);
      if (FAILED(point.p->Advise(events_, &eventsCookie_))) eventsCookie_ = 0;
    }
  }
  // Without its events the page could never report; such a control is of no use.
  return eventsCookie_ != 0;
}

MshtmlBrowser::~MshtmlBrowser() { Close(); }

void MshtmlBrowser::LoadUrl(const std::wstring& url) {
  if (web_ == nullptr || !IsWebAddress(DuiLib::WideToUtf8(url))) return;
  VARIANT address;
  address.vt = VT_BSTR;
  address.bstrVal = ::SysAllocString(url.c_str());
  VARIANT empty;
  ::VariantInit(&empty);
  web_->Navigate2(&address, &empty, &empty, &empty, &empty);
  ::VariantClear(&address);
}

void MshtmlBrowser::SetFocus(bool focused) {
  if (object_ == nullptr || !focused) return;
  RECT client;
  ::GetClientRect(host_, &client);
  object_->DoVerb(OLEIVERB_UIACTIVATE, nullptr, site_, 0, host_, &client);
}

void MshtmlBrowser::FitToHost() {
  if (object_ == nullptr) return;
  platform::ComHeld<IOleInPlaceObject> inPlace;
  if (FAILED(object_->QueryInterface(IID_IOleInPlaceObject, inPlace.out()))) return;
  RECT client;
  ::GetClientRect(host_, &client);
  inPlace.p->SetObjectRects(&client, &client);
}

void MshtmlBrowser::Close() {
  client_ = nullptr;
  if (events_) events_->Detach();
  if (external_) external_->Detach();
  if (site_) site_->Detach();
  if (web_) {
    if (eventsCookie_) {
      platform::ComHeld<IConnectionPointContainer> points;
      if (SUCCEEDED(web_->QueryInterface(IID_IConnectionPointContainer, points.out()))) {
        platform::ComHeld<IConnectionPoint> point;
        if (SUCCEEDED(points.p->FindConnectionPoint(DIID_DWebBrowserEvents2, &point.p)))
          point.p->Unadvise(eventsCookie_);
      }
      eventsCookie_ = 0;
    }
    web_->Stop();
  }
  platform::ReleaseAndClear(web_);
  if (object_) {
    object_->Close(OLECLOSE_NOSAVE);
    object_->SetClientSite(nullptr);
  }
  platform::ReleaseAndClear(object_);
  platform::ReleaseAndClear(events_);
  platform::ReleaseAndClear(external_);
  platform::ReleaseAndClear(site_);
  if (host_) {
    ForgetHostWindow(host_);
    ::DestroyWindow(host_);
  }
  host_ = nullptr;
}

void MshtmlBrowser::OnDocumentComplete(IDispatch* frame) {
  // Every frame's document gets the script functions, so a sub-frame can call them itself.
  InstallScriptFunctions(frame);
  const int status = failedStatus_ ? failedStatus_ : kLoadedStatus;
  failedStatus_ = 0;
  if (client_) client_->OnLoadEnd(status);
}

void MshtmlBrowser::OnNavigateError(int status) { failedStatus_ = status; }

bool MshtmlBrowser::AllowNavigation(const std::wstring& url) {
  return IsNavigationAllowed(DuiLib::WideToUtf8(url));
}

}  // namespace browser
