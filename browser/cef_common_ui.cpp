#include "browser/cef_common_ui.h"

#include <mutex>

#include "browser/engine.h"
#include "browser/url_policy.h"
#include "ui/win/ui_lock.h"
#include "ui/win/wide_text.h"

namespace browser {

// What the control shares with the tasks it posts to the engine's thread and with the engine's
// callbacks: those may outlive the control, so they hold this instead of the control. The
// mutex is never held while the listener runs or while a window call waits: the listener
// changes controls, which takes the UI lock, and a worker holding the UI lock may be on its
// way here.
struct CCefCommonUI::Shared : EngineClient {
  std::mutex mutex;
  CefListener* listener = nullptr;  // null once the control is gone
  bool closed = false;
  std::unique_ptr<EngineBrowser> browser;
  HWND window = nullptr;
  std::wstring url = L"about:blank";
  // The control's rectangle and visibility as last seen, for a browser that arrives later.
  RECT pos{0, 0, 0, 0};
  bool visible = false;

  CefListener* Listener() {
    std::lock_guard<std::mutex> lock(mutex);
    return closed ? nullptr : listener;
  }
  void OnLoadEnd(int httpStatus) override {
    if (CefListener* l = Listener()) l->OnPageLoaded(httpStatus);
  }
  void OnScriptMessage(const ScriptMessage& message) override {
    if (CefListener* l = Listener()) l->OnBrowserMessage(message);
  }

  // Runs `call` later on the engine's thread with the browser, if there is one by then.
  static void PostToBrowser(Engine& engine, const std::shared_ptr<Shared>& self,
                            std::function<void(EngineBrowser&)> call) {
    std::weak_ptr<Shared> weak = self;
    engine.PostTask([weak, call] {
      std::shared_ptr<Shared> shared = weak.lock();
      if (!shared) return;
      EngineBrowser* browser;
      {
        std::lock_guard<std::mutex> lock(shared->mutex);
        browser = shared->closed ? nullptr : shared->browser.get();
      }
      if (browser) call(*browser);
    });
  }

  // With the mutex held. The window may belong to another thread, and the caller may hold the
  // UI lock, so nothing here waits for the window's thread.
  void PlaceWindow() {
    if (window == nullptr) return;
    if (!visible) {
      ::ShowWindowAsync(window, SW_HIDE);
      return;
    }
    ::SetWindowPos(window, nullptr, pos.left, pos.top, pos.right - pos.left, pos.bottom - pos.top,
                   SWP_NOZORDER | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS | SWP_SHOWWINDOW);
  }
};

namespace {

// Runs on the engine's thread, whichever thread asked.
void OnEngineThread(Engine& engine, std::function<void()> task) {
  if (engine.IsEngineThread()) task();
  else engine.PostTask(std::move(task));
}

}  // namespace

CCefCommonUI::CCefCommonUI(DuiLib::CPaintManagerUI* manager, CefListener* listener)
    : shared_(std::make_shared<Shared>()) {
  shared_->listener = listener;
  if (manager && manager->AddMessageFilter(this)) filterManager_ = manager;
}

CCefCommonUI::~CCefCommonUI() {
  if (filterManager_) filterManager_->RemoveMessageFilter(this);
  std::unique_ptr<EngineBrowser> browser;
  {
    std::lock_guard<std::mutex> lock(shared_->mutex);
    shared_->closed = true;
    shared_->listener = nullptr;
    shared_->window = nullptr;
    browser = std::move(shared_->browser);
  }
  Engine* engine = CurrentEngine();
  if (!browser || engine == nullptr) return;
  std::shared_ptr<EngineBrowser> closing(std::move(browser));
  OnEngineThread(*engine, [closing] { closing->Close(); });
}

DuiLib::CControlUI* CCefCommonUI::GetInterface(const std::wstring& name) {
  if (name == L"CefCommon") return this;
  return CControlUI::GetInterface(name);
}

void CCefCommonUI::SetUrl(const std::wstring& url) {
  if (!IsWebAddress(DuiLib::WideToUtf8(url))) return;
  Engine* engine = CurrentEngine();
  std::lock_guard<std::mutex> lock(shared_->mutex);
  shared_->url = url;
  if (!shared_->browser || engine == nullptr) return;
  Shared::PostToBrowser(*engine, shared_, [url](EngineBrowser& browser) { browser.LoadUrl(url); });
}

std::wstring CCefCommonUI::GetUrl() const {
  std::lock_guard<std::mutex> lock(shared_->mutex);
  return shared_->url;
}

bool CCefCommonUI::ApplyAttribute(std::string_view name, std::string_view value) {
  if (name != "homepage") return CControlUI::ApplyAttribute(name, value);
  SetUrl(DuiLib::Utf8ToWide(value));
  return true;
}

HWND CCefCommonUI::BrowserWindow() const {
  std::lock_guard<std::mutex> lock(shared_->mutex);
  return shared_->window;
}

void CCefCommonUI::FollowControl() {
  const RECT pos = GetPos();
  const bool visible = IsVisible();
  std::lock_guard<std::mutex> lock(shared_->mutex);
  shared_->pos = pos;
  shared_->visible = visible;
  shared_->PlaceWindow();
}

void CCefCommonUI::SetPos(RECT rect) {
  DuiLib::UiGuard guard;
  CControlUI::SetPos(rect);
  FollowControl();
}

void CCefCommonUI::SetVisible(bool visible) {
  DuiLib::UiGuard guard;
  CControlUI::SetVisible(visible);
  FollowControl();
}

void CCefCommonUI::SetInternVisible(bool visible) {
  DuiLib::UiGuard guard;
  CControlUI::SetInternVisible(visible);
  FollowControl();
}

void CCefCommonUI::SetManager(DuiLib::CPaintManagerUI* manager, DuiLib::CControlUI* parent) {
  DuiLib::UiGuard guard;
  CControlUI::SetManager(manager, parent);
  // Joining a window is when the browser is asked for, once.
  if (manager && parent && !browserRequested_) {
    browserRequested_ = true;
    RequestBrowser(manager->GetPaintWindow());
  }
}

void CCefCommonUI::RequestBrowser(HWND parent) {
  Engine* engine = CurrentEngine();
  if (engine == nullptr || parent == nullptr) return;
  const RECT rect = GetPos();
  std::weak_ptr<Shared> weak = shared_;
  // Always a task, even on the engine's thread: the control is being added to its container,
  // and the engine may run messages while it makes the browser.
  engine->PostTask([weak, engine, parent, rect] {
    std::shared_ptr<Shared> shared = weak.lock();
    if (!shared) return;
    std::wstring url;
    {
      std::lock_guard<std::mutex> lock(shared->mutex);
      if (shared->closed) return;
      url = shared->url;
    }
    std::unique_ptr<EngineBrowser> browser = engine->CreateBrowser(parent, rect, url, shared.get());
    if (!browser) return;
    {
      std::lock_guard<std::mutex> lock(shared->mutex);
      if (!shared->closed) {
        shared->window = browser->Window();
        shared->browser = std::move(browser);
        shared->PlaceWindow();
      }
    }
    // The control went while the browser was being made.
    if (browser) return browser->Close();
    RECT client;
    ::GetClientRect(parent, &client);
    ::InvalidateRect(parent, &client, TRUE);
  });
}

void CCefCommonUI::DoPaint(DuiLib::Canvas& canvas, const RECT& dirty) {
  // The browser's window covers the control; this paints what shows until it is there.
  CControlUI::DoPaint(canvas, dirty);
}

LRESULT CCefCommonUI::MessageHandler(UINT message, WPARAM, LPARAM, bool& handled) {
  handled = false;
  if (message != WM_SETFOCUS && message != WM_KILLFOCUS) return 0;
  Engine* engine = CurrentEngine();
  if (engine == nullptr || !IsVisible()) return 0;
  const bool focused = message == WM_SETFOCUS;
  Shared::PostToBrowser(*engine, shared_, [focused](EngineBrowser& browser) { browser.SetFocus(focused); });
  return 0;
}

}  // namespace browser
