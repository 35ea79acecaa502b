#include "app/signin/sign_in_link.h"

#include "page_machinery/tip_window.h"
#include "app/settings.h"
#include "app/signin/cef_logon_window.h"
#include "app/signin/sign_in_completion.h"
#include "app/signin/sign_in_replies.h"
#include "page_machinery/ui_thread_call.h"
#include "net/image_fetch.h"
#include "platform/files_and_folders.h"
#include "platform/text_conversion.h"
#include "net/user_paths.h"
#include "ui/win/wide_text.h"

namespace app {

namespace {
constexpr wchar_t kRequestFailedTitle[] = L"请求服务失败";
constexpr wchar_t kRequestFailedMessage[] = L"请求服务失败，如有疑问，请联系客服。";
constexpr wchar_t kErrorTitle[] = L"错误提示";
}  // namespace

void SignInLink::SetWindowHandle(HWND window) {
  std::lock_guard<std::mutex> lock(mutex_);
  handle_ = window;
}

void SignInLink::Detach() {
  std::lock_guard<std::mutex> lock(mutex_);
  window_ = nullptr;
  handle_ = nullptr;
}

HWND SignInLink::WindowHandle() {
  std::lock_guard<std::mutex> lock(mutex_);
  return handle_;
}

std::unique_ptr<net::HttpRequest> SignInLink::MakeRequest(int kind, std::string url) {
  auto request = std::make_unique<net::HttpRequest>(kind);
  request->url = std::move(url);
  request->listener = this;
  request->keepListener = shared_from_this();
  return request;
}

bool SignInLink::Prompt(const std::wstring& title, const std::wstring& message) {
  HWND window = WindowHandle();
  if (window == nullptr) return false;
  bool shown = false;
  // Not under the link: the window's thread may be closing the window and detaching it.
  CallOnWindowThread(window, [&] {
    // On the window's thread now, where the window closes: if it is still open, it stays
    // open until this returns.
    if (WindowHandle() == nullptr) return;
    shown = true;
    ShowPrompt(TipWindow::kModeOk, title, message);
  });
  return shown;
}

void SignInLink::OnHttpResponse(int kind, bool ok, const std::string* body) {
  const SignInReplyAction action = ReadSignInReply(kind, ok, body);
  switch (action.kind) {
    case SignInReplyAction::kNothing:
      return;
    case SignInReplyAction::kShowPage:
      WithWindow([&](CefLogonWindow& window) { window.AcceptPage(action.pageUrl); });
      return;
    case SignInReplyAction::kRequestFailedPrompt:
      Prompt(kRequestFailedTitle, kRequestFailedMessage);
      return;
    case SignInReplyAction::kErrorPrompt: {
      // Straight from UTF-8: a detour through code page 936 would garble it on systems whose
      // ANSI code page is another.
      if (Prompt(kErrorTitle, DuiLib::Utf8ToWide(action.message)))
        WithWindow([](CefLogonWindow& window) { window.ArmTimer(CefLogonWindow::kRetryTimer, CefLogonWindow::kRetryDelayMs); });
      return;
    }
    case SignInReplyAction::kComplete:
      // A sign-in whose window has gone (closed or refreshed meanwhile) is not taken up.
      if (WindowHandle() == nullptr) return;
      CompleteSignIn(action.user, net::ImageFolder(platform::LocalAppData()), state_,
                     SignInStore{net::SystemImageCacheOps(), StoreToken});
      WithWindow([](CefLogonWindow& window) { window.RequestClose(); });
      return;
  }
}

}  // namespace app
