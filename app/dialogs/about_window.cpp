#include "app/dialogs/about_window.h"

#include <shellapi.h>

#include "page_machinery/dialog_window.h"
#include "catalogue_rules/catalogue_rules.h"

namespace app {

// The shell opens whatever it is given, a program included, with this elevated process's
// rights: only a web address goes to it (the catalogue's links are checked when read, and
// this holds for any other caller too).
void OpenLinkWithShell(const std::string& url) {
  if (net::IsWebUrl(url)) ::ShellExecuteA(nullptr, "open", url.c_str(), nullptr, nullptr, SW_SHOW);
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
