#include "app/system_window.h"

#include <mutex>

#include "app/catalogue_refusal.h"
#include "app/catalogue_version_floor.h"
#include "app/desktop_shortcut.h"
#include "app/dialogs/about_window.h"
#include "page_machinery/dialog_window.h"
#include "page_machinery/tip_window.h"
#include "page_machinery/product.h"
#include "app/settings.h"
#include "app/signin/cef_logon_window.h"
#include "page_machinery/ui_thread_call.h"
#include "net/image_cache.h"
#include "net/catalogue_keys.h"
#include "net/image_fetch.h"
#include "platform/files_and_folders.h"
#include "platform/text_conversion.h"
#include "net/user_paths.h"
#include "ui/win/button.h"
#include "ui/win/label.h"

namespace app {

namespace {

const wchar_t* const kTabNames[SystemWindow::kTabCount] = {
    L"system_rundll", L"system_directx", L"system_sysdll", L"system_function",
    L"system_cplus", L"system_net", L"system_game"};
const wchar_t* const kTabPictures[SystemWindow::kTabCount] = {
    L"rundll", L"directx", L"sysdll", L"function", L"cplus", L"net", L"game"};

constexpr wchar_t kNotSignedIn[] = L"您尚未登录";
constexpr wchar_t kSignedIn[] = L"已登录";

}  // namespace

// The conversation's side of the header. Request threads reach the header only through it,
// and it is kept until the process ends, so a reply that arrives after the header is gone
// finds it detached instead of freed.
class HeaderLink : public ConversationHost {
 public:
  HeaderLink(SystemWindow* header, AppState& state, std::string baseUrl)
      : header_(header),
        baseUrl_(baseUrl),
        conversation_(state, *this, std::move(baseUrl),
                      [](const std::string& utf8) { return platform::Utf8ToDisplayText(utf8); },
                      [this](std::unique_ptr<net::HttpRequest> request) {
                        net::StartRequest(threads_, std::move(request));
                      },
                      net::EmbeddedCatalogueKeys()) {}

  ServerConversation& Conversation() { return conversation_; }

  void SetFrame(HWND frame) {
    std::lock_guard<std::mutex> lock(mutex_);
    frame_ = frame;
  }

  void Detach() {
    std::lock_guard<std::mutex> lock(mutex_);
    header_ = nullptr;
    frame_ = nullptr;
  }

  void ArmTimer(int id, unsigned milliseconds) override {
    std::lock_guard<std::mutex> lock(mutex_);
    if (header_) header_->ArmTimer(id, milliseconds);
  }

  void ShowRequestFailed() override { Prompt(L"请求服务失败", L"请求服务失败，如有疑问，请联系客服。"); }

  void ShowCatalogueRefused(net::DocumentVerdict why) override {
    Prompt(kCatalogueRefusedTitle, CatalogueRefusalSentence(why));
  }

  uint64_t NewestAcceptedCatalogueVersion() override { return ReadCatalogueVersionFloor(baseUrl_); }
  void RecordAcceptedCatalogueVersion(uint64_t version) override { WriteCatalogueVersionFloor(baseUrl_, version); }

  void CacheImages(const net::CommonCatalogue& common) override {
    net::CacheCatalogueImages(common, net::ImageFolder(platform::LocalAppData()),
                              net::SystemImageCacheOps());
  }

  std::string StoredToken() override { return ReadStoredToken(); }
  void ForgetStoredToken() override { ForgetToken(); }

 private:
  // The prompt belongs to the UI thread; this request thread waits for it, and so every
  // other request waits too.
  void Prompt(const wchar_t* title, const wchar_t* text) {
    HWND frame;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      frame = frame_;
    }
    if (frame == nullptr) return;
    CallOnWindowThread(frame, [title, text] { ShowPrompt(TipWindow::kModeOk, title, text); });
  }

  std::mutex mutex_;
  SystemWindow* header_;
  const std::string baseUrl_;
  HWND frame_ = nullptr;
  net::ThreadList threads_;
  ServerConversation conversation_;
};

SystemWindow::SystemWindow(DuiLib::CPaintManagerUI* manager, AppState& state, std::string baseUrl)
    : PageWindow(manager), state_(state), baseUrl_(baseUrl), link_(new HeaderLink(this, state, std::move(baseUrl))) {}

SystemWindow::~SystemWindow() { DetachConversation(); }

void SystemWindow::DetachConversation() {
  if (detached_) return;
  detached_ = true;
  link_->Detach();
}

ServerConversation& SystemWindow::Conversation() { return link_->Conversation(); }

void SystemWindow::InitControls() {
  for (int i = 0; i < kTabCount; ++i) tabs_[i] = FindControl(kTabNames[i]);
  head_ = FindControl(L"system_head");
  frame_ = FindControl(L"system_frame");
  stateLabel_ = FindControl(L"system_state");
  if (DuiLib::CControlUI* title = FindControl(L"system_title")) title->SetText(kProductName);
  if (frame_) frame_->SetVisible(false);
  if (stateLabel_) stateLabel_->SetText(kNotSignedIn);
  link_->SetFrame(frameWindow_);
  Conversation().RequestUserInfo();
}

void SystemWindow::ArmTimer(int id, unsigned milliseconds) {
  // Without the state label there is nothing to arm the timers on.
  if (stateLabel_ && frameManager_) frameManager_->SetTimer(stateLabel_, id, milliseconds);
}

void SystemWindow::SelectTab(int index) {
  for (int i = 0; i < kTabCount; ++i) {
    auto* tab = DuiLib::ControlAs<DuiLib::CButtonUI>(tabs_[i]);
    if (tab) tab->SetNormalImage(std::wstring(kTabPictures[i]) + L"_n.png");
  }
  if (index < 0 || index >= kTabCount || tabs_[index] == nullptr) return;
  if (auto* tab = static_cast<DuiLib::CButtonUI*>(tabs_[index]->GetInterface(L"Button")))
    tab->SetNormalImage(std::wstring(kTabPictures[index]) + L"_s.png");
}

void SystemWindow::OnCommand(const std::string& word) {
  if (word == "rundll") {
    SelectTab(0);
    Send(kShowRuntimePage, std::string());
  } else if (word == "sysdll") {
    SelectTab(2);
    Send(kShowSystemDllPage, std::string());
  }
}

void SystemWindow::RefreshSignInState() {
  const net::UserInfo user = state_.User();
  if (user.signedIn) {
    const std::string picture = net::ImageFolder(platform::LocalAppData()) + net::HeadImageFileName(user.userId);
    if (head_) {
      head_->SetBkImage(platform::FileExists(picture) ? platform::AnsiToWide(picture.c_str())
                                                 : std::wstring(L"system_head_logon.png"));
    }
    if (frame_) frame_->SetVisible(true);
    if (stateLabel_) stateLabel_->SetText(kSignedIn);
    return;
  }
  if (stateLabel_) {
    if (auto* label = static_cast<DuiLib::CLabelUI*>(stateLabel_->GetInterface(L"Label")))
      label->SetTextColor(0xFFFFFFFF);
    stateLabel_->SetText(kNotSignedIn);
  }
  if (head_) head_->SetBkImage(L"system_head_normal.png");
  if (frame_) frame_->SetVisible(false);
}

void SystemWindow::SignOut() {
  ForgetSignIn();
  state_.ResetUser();
  RefreshSignInState();
}

void SystemWindow::CloseProgram() {
  EnsureDesktopShortcut(shortcutFolder_);
  Send(kQuit, std::string());
}

void SystemWindow::OpenMenu() {
  if (!menu_) {
    menu_ = std::make_unique<MenuWindow>(*this, state_);
    if (CreateDialogWindow(*menu_) == nullptr) {
      menu_.reset();
      return;
    }
  }
  RECT frame{};
  ::GetWindowRect(frameWindow_, &frame);
  // The third item, sign-out, fits only in the taller menu.
  const int height = state_.User().signedIn ? 90 : 60;
  HWND menu = menu_->GetHWND();
  ::SetFocus(menu);
  menu_->ShowWindow(true);
  ::MoveWindow(menu, frame.left + 715, frame.top + 30, 100, height, TRUE);
}

void SystemWindow::RunSignInLoop() {
  constexpr DWORD kReopenDelayMs = 500;
  bool reopen = true;
  while (reopen) {
    CefLogonWindow window(state_, baseUrl_, &reopen);
    if (CreateDialogWindow(window) == nullptr) return;
    window.CenterWindow();
    window.ShowModal();
    // Nothing is handled during the wait, so no click can start a second loop meanwhile.
    if (reopen) ::Sleep(kReopenDelayMs);
  }
}

void SystemWindow::OnTimer(int id) {
  if (id == kSignedInTimer && stateLabel_) frameManager_->KillTimer(stateLabel_, id);
  if (Conversation().OnTimer(id)) RefreshSignInState();
}

void SystemWindow::Notify(DuiLib::TNotifyUI& msg) {
  if (_wcsicmp(msg.sType.c_str(), L"timer") == 0) {
    const int id = static_cast<int>(msg.wParam);
    if (id == kSignedInTimer || id == kRefreshTimer) OnTimer(id);
    return;
  }
  const std::wstring name = ClickedName(msg);
  if (name.empty()) return;
  for (int i = 0; i < kTabCount; ++i) {
    if (name != kTabNames[i]) continue;
    SelectTab(i);
    return Send(kShowRuntimePage + i, std::string());
  }
  if (name == L"system_state") {
    if (!state_.User().signedIn) {
      RunSignInLoop();
      RefreshSignInState();
    }
  } else if (name == L"system_service") {
    openLink_(state_.Common()->kfUrl);
  } else if (name == L"system_menu") {
    OpenMenu();
  } else if (name == L"system_min") {
    Send(kMinimise, std::string());
  } else if (name == L"system_close") {
    CloseProgram();
  }
}

}  // namespace app
