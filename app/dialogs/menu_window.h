#pragma once
#include "page_machinery/app_state.h"
#include "page_machinery/shell_window.h"

namespace app {

// What the menu asks of the header.
class MenuNotify {
 public:
  virtual void SignOut() = 0;

 protected:
  ~MenuNotify() = default;
};

// The header's drop-down: made once, then hidden and shown again, never destroyed while the
// header lives. It hides itself as soon as it loses the keyboard focus.
class MenuWindow : public ShellWindow {
 public:
  MenuWindow(MenuNotify& notify, const AppState& state) : notify_(notify), state_(state) {}

  void Notify(DuiLib::TNotifyUI& msg) override;

 protected:
  const wchar_t* GetWndClassName() const override { return L"Main_Menu"; }
  std::wstring GetLayoutFileName() const override { return L"MenuWindow.xml"; }
  void InitWindow() override;
  LRESULT OnKillFocus(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;

 private:
  MenuNotify& notify_;
  const AppState& state_;
};

}  // namespace app
