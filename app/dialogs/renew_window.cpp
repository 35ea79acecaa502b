#include "app/dialogs/renew_window.h"

#include "page_machinery/dialog_window.h"

namespace app {

void RenewWindow::InitWindow() {
  CreateShadow(3);
}

void RenewWindow::Notify(DuiLib::TNotifyUI& msg) {
  if (ClickedName(msg) == L"close") Close(IDOK);
}

}  // namespace app
