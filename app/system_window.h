#pragma once
#include <memory>
#include <string>

#include "page_machinery/app_state.h"
#include "app/dialogs/about_window.h"
#include "app/dialogs/menu_window.h"
#include "page_machinery/page_window.h"
#include "app/server_conversation.h"

namespace app {

class HeaderLink;

// The header band: the seven tabs, the sign-in state, the menu, service, minimise and close
// buttons, and the whole server conversation of the program.
class SystemWindow : public PageWindow, public MenuNotify {
 public:
  static constexpr int kTabCount = 7;

  SystemWindow(DuiLib::CPaintManagerUI* manager, AppState& state, std::string baseUrl);
  ~SystemWindow() override;

  const wchar_t* LayoutFile() const override { return L"SystemWindow.xml"; }
  // "rundll" and "sysdll" select the first or third tab as a click on it would.
  void OnCommand(const std::string& word) override;
  void Notify(DuiLib::TNotifyUI& msg) override;
  void SignOut() override;

  // Shows the head picture and frame of the signed-in user, or the anonymous state.
  void RefreshSignInState();
  // The normal picture on every tab, then the selected picture on tab `index`.
  void SelectTab(int index);
  // The desktop shortcut when there is none yet, then the request to end the program.
  void CloseProgram();
  // Called when the frame's window goes: replies that still arrive change nothing.
  void DetachConversation();
  // The timers of the conversation, armed on "system_state"; any thread.
  void ArmTimer(int id, unsigned milliseconds);

  ServerConversation& Conversation();
  // How the service link is opened; the shell by default.
  void SetLinkOpener(LinkOpener open) { openLink_ = std::move(open); }
  // Where the shortcut goes on close; the desktop by default.
  void SetShortcutFolder(std::wstring folder) { shortcutFolder_ = std::move(folder); }
  MenuWindow* Menu() const { return menu_.get(); }

 protected:
  void InitControls() override;
  // Opens the sign-in window modally, and a fresh one 500 ms after each close that asked for
  // it; returns when a window closed for good.
  virtual void RunSignInLoop();

 private:
  void OpenMenu();
  void OnTimer(int id);

  AppState& state_;
  const std::string baseUrl_;
  HeaderLink* link_;  // outlives the header: request threads may still hold it
  bool detached_ = false;
  DuiLib::CControlUI* tabs_[kTabCount] = {};
  DuiLib::CControlUI* head_ = nullptr;
  DuiLib::CControlUI* frame_ = nullptr;
  DuiLib::CControlUI* stateLabel_ = nullptr;
  std::unique_ptr<MenuWindow> menu_;
  LinkOpener openLink_ = OpenLinkWithShell;
  std::wstring shortcutFolder_;
};

}  // namespace app
