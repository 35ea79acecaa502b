#include "app/dialogs/menu_window.h"

#include "app/dialogs/about_window.h"
#include "page_machinery/dialog_window.h"
#include "app/dialogs/renew_window.h"

namespace app {

void MenuWindow::InitWindow() {
  CreateShadow(1);
}

LRESULT MenuWindow::OnKillFocus(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
  ShowWindow(false);
  return WindowImplBase::OnKillFocus(message, wParam, lParam, handled);
}

void MenuWindow::Notify(DuiLib::TNotifyUI& msg) {
  const std::wstring name = ClickedName(msg);
  if (name != L"menu_update" && name != L"menu_about" && name != L"menu_logout") return;
  ShowWindow(false);
  if (name == L"menu_update") {
    RenewWindow renew;
    ShowDialogModal(renew);
  } else if (name == L"menu_about") {
    AboutWindow about(state_);
    ShowDialogModal(about);
  } else {
    notify_.SignOut();
  }
}

}  // namespace app
