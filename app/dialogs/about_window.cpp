#include "app/dialogs/about_window.h"

#include <shellapi.h>

#include "app/dialogs/dialog_window.h"

namespace app {

void OpenLinkWithShell(const std::string& url) {
  if (!url.empty()) ::ShellExecuteA(nullptr, "open", url.c_str(), nullptr, nullptr, SW_SHOW);
}

void AboutWindow::InitWindow() {
  CreateShadow(3);
}

void AboutWindow::Notify(DuiLib::TNotifyUI& msg) {
  const std::wstring name = ClickedName(msg);
  if (name == L"close") return Close(IDOK);
  if (name != L"xy" && name != L"ys") return;
  AppState::CommonPtr common = state_.Common();
  if (!common) return;
  open_(name == L"xy" ? common->xyUrl : common->secretUrl);
}

}  // namespace app
