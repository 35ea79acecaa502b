#pragma once
#include <windows.h>

#include <memory>
#include <mutex>
#include <string>

#include "page_machinery/app_state.h"
#include "net/http_request.h"

namespace app {

class CefLogonWindow;

// How the sign-in window's request threads and its LoadThread reach the window. The window
// may close while a reply is on its way, so they hold this instead: each request keeps it
// alive until its reply is handled, and the window detaches it when its native window goes,
// after which replies are dropped.
class SignInLink : public net::HttpListener, public std::enable_shared_from_this<SignInLink> {
 public:
  SignInLink(CefLogonWindow& window, AppState& state) : window_(&window), state_(state) {}

  void SetWindowHandle(HWND window);
  void Detach();
  // Runs `call` with the window while it is open, holding the link: the window cannot go
  // meanwhile. False when it has gone.
  template <class F>
  bool WithWindow(F&& call) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (window_ == nullptr) return false;
    call(*window_);
    return true;
  }

  // A request of this window whose reply comes back here.
  std::unique_ptr<net::HttpRequest> MakeRequest(int kind, std::string url);

  // Runs on the request thread with the request lock held.
  void OnHttpResponse(int kind, bool ok, const std::string* body) override;

 private:
  // The prompt belongs to the window's thread; this thread waits until it is dismissed.
  // False when the window had gone.
  bool Prompt(const std::wstring& title, const std::wstring& message);
  HWND WindowHandle();

  std::mutex mutex_;
  CefLogonWindow* window_;
  HWND handle_ = nullptr;
  AppState& state_;
};

}  // namespace app
