#include "app/signin/cef_logon_window.h"

#include "page_machinery/dialog_window.h"
#include "page_machinery/product.h"
#include "app/signin/mac_text.h"
#include "app/signin/sign_in_link.h"
#include "page_machinery/ui_thread_call.h"
#include "net/api_urls.h"
#include "catalogue_rules/catalogue_records.h"
#include "ui/win/container.h"
#include "ui/win/wide_text.h"

namespace app {

CefLogonWindow::CefLogonWindow(AppState& state, std::string baseUrl, bool* reopen)
    : state_(state), baseUrl_(std::move(baseUrl)), reopen_(reopen), link_(std::make_shared<SignInLink>(*this, state)) {
  if (reopen_) *reopen_ = false;
}

CefLogonWindow::~CefLogonWindow() { link_->Detach(); }

void CefLogonWindow::InitWindow() {
  CreateShadow(3);
  link_->SetWindowHandle(GetHWND());
  load_ = m_PaintManager.FindControl(L"load");
  ready_ = m_PaintManager.FindControl(L"ready");
  web_ = m_PaintManager.FindControl(L"web");
  for (const wchar_t* title : {L"load_title", L"ready_title"})
    if (DuiLib::CControlUI* label = m_PaintManager.FindControl(title)) label->SetText(kProductName);
  ShowWaiting(true);
  RequestSignInPage();
}

void CefLogonWindow::ShowWaiting(bool waiting) {
  if (load_) load_->SetVisible(waiting);
  if (ready_) ready_->SetVisible(!waiting);
}

void CefLogonWindow::RequestSignInPage() {
  net::StartRequest(threads_, link_->MakeRequest(net::kSignInCode,
                                                 net::SignInCodeUrl(baseUrl_, state_.channel, GetMacText())));
}

std::string CefLogonWindow::LoginPageUrl() const {
  std::lock_guard<std::mutex> lock(pageMutex_);
  return loginPageUrl_;
}

void CefLogonWindow::AcceptPage(const std::string& url) {
  {
    std::lock_guard<std::mutex> lock(pageMutex_);
    loginPageUrl_ = url;
  }
  ArmTimer(kLoadTimer, kLoadDelayMs);
}

void CefLogonWindow::ArmTimer(int id, unsigned milliseconds) {
  if (ready_) m_PaintManager.SetTimer(ready_, static_cast<UINT>(id), milliseconds);
}

void CefLogonWindow::RequestClose() { ::PostMessageW(GetHWND(), WM_SYSCOMMAND, SC_CLOSE, 0); }

void CefLogonWindow::StartLoadThread() {
  std::shared_ptr<SignInLink> link = link_;
  threads_.Add(std::thread([link] {
    link->WithWindow([](CefLogonWindow& window) { window.AddBrowser(); });
  }));
}

void CefLogonWindow::AddBrowser() {
  auto* web = DuiLib::ControlAs<DuiLib::CContainerUI>(web_);
  if (web == nullptr) return;
  // A new page after a refused sign-in replaces the old one rather than piling up behind it.
  RemoveBrowsers();
  auto* browser = new browser::CCefCommonUI(&m_PaintManager, this);
  browser->SetUrl(DuiLib::Utf8ToWide(LoginPageUrl()));
  web->Add(browser);
  browsers_.push_back(browser);
  ::OutputDebugStringA("LoadThread\n");
}

void CefLogonWindow::RemoveBrowsers() {
  auto* web = DuiLib::ControlAs<DuiLib::CContainerUI>(web_);
  for (browser::CCefCommonUI* browser : browsers_)
    if (web) web->Remove(browser);
  browsers_.clear();
}

void CefLogonWindow::OnPageLoaded(int) { ShowWaiting(false); }

void CefLogonWindow::OnBrowserMessage(const browser::ScriptMessage& message) {
  if (message.name != "wxCallback") return;
  // A shorter list reads as empty texts, as a missing list entry would.
  auto argument = [&](size_t i) { return i < message.arguments.size() ? message.arguments[i] : std::string(); };
  net::StartRequest(threads_, link_->MakeRequest(net::kSignInResult,
                                                 net::SignInResultUrl(baseUrl_, state_.channel, GetMacText(),
                                                                      argument(0), argument(1), argument(2))));
}

void CefLogonWindow::Notify(DuiLib::TNotifyUI& msg) {
  if (_wcsicmp(msg.sType.c_str(), L"timer") == 0) {
    const int id = static_cast<int>(msg.wParam);
    if (id == kLoadTimer) {
      m_PaintManager.KillTimer(ready_, kLoadTimer);
      StartLoadThread();
    } else if (id == kRetryTimer) {
      m_PaintManager.KillTimer(ready_, kRetryTimer);
      ShowWaiting(true);
      RequestSignInPage();
    }
    return;
  }
  const std::wstring name = ClickedName(msg);
  if (name == L"close") {
    if (ready_) m_PaintManager.KillTimer(ready_, kLoadTimer);
    Close();
  } else if (name == L"refresh") {
    if (reopen_) *reopen_ = true;
    Close();
  }
}

LRESULT CefLogonWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (HandleCallOnUiThread(message, lParam)) return 0;
  if (message == WM_DESTROY) {
    // From here on replies and LoadThreads find the window gone; the browsers close while
    // their windows still exist, so no page event comes in later.
    link_->Detach();
    RemoveBrowsers();
  }
  return ShellWindow::HandleMessage(message, wParam, lParam);
}

}  // namespace app
