#pragma once
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "page_machinery/app_state.h"
#include "page_machinery/shell_window.h"
#include "browser/cef_common_ui.h"
#include "browser/cef_listener.h"
#include "net/thread_list.h"

namespace app {

class SignInLink;

// The WeChat sign-in window: asks the server for a sign-in page, shows it in a browser control
// once it has loaded (the waiting picture until then), exchanges what the page reports for a
// token, stores the user and closes. "refresh" closes it and asks its opener for a fresh one
// through `reopen`; "close" and Escape close it for good.
class CefLogonWindow : public ShellWindow, public browser::CefListener {
 public:
  static constexpr int kLoadTimer = 8001;
  static constexpr unsigned kLoadDelayMs = 1000;
  static constexpr int kRetryTimer = 8004;
  static constexpr unsigned kRetryDelayMs = 10;

  // `reopen` (not owned) is cleared here and set when the user asks for a fresh window.
  CefLogonWindow(AppState& state, std::string baseUrl, bool* reopen);
  ~CefLogonWindow() override;

  void Notify(DuiLib::TNotifyUI& msg) override;
  void OnBrowserMessage(const browser::ScriptMessage& message) override;
  void OnPageLoaded(int httpStatus) override;

  // For the request threads, while the window is open (SignInLink::WithWindow).
  void AcceptPage(const std::string& url);
  void ArmTimer(int id, unsigned milliseconds);
  void RequestClose();
  // For LoadThread, the same way: a browser control for the last accepted page in "web", in
  // place of any earlier one.
  void AddBrowser();

  std::string LoginPageUrl() const;
  // The browser controls in "web" (one once a page was accepted).
  std::vector<browser::CCefCommonUI*> Browsers() const { return browsers_; }

 protected:
  const wchar_t* GetWndClassName() const override { return L"Main_CefLogon"; }
  std::wstring GetLayoutFileName() const override { return L"CefLogonWindow.xml"; }
  void InitWindow() override;
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void RequestSignInPage();
  void ShowWaiting(bool waiting);
  void StartLoadThread();
  void RemoveBrowsers();

  AppState& state_;
  const std::string baseUrl_;
  bool* reopen_;
  std::shared_ptr<SignInLink> link_;
  net::ThreadList threads_;  // request threads and LoadThreads; never waited for
  DuiLib::CControlUI* load_ = nullptr;
  DuiLib::CControlUI* ready_ = nullptr;
  DuiLib::CControlUI* web_ = nullptr;
  mutable std::mutex pageMutex_;
  std::string loginPageUrl_;
  std::vector<browser::CCefCommonUI*> browsers_;  // owned by "web"; changed with the link held
};

}  // namespace app
