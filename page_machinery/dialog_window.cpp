#include "page_machinery/dialog_window.h"

#include <cwctype>

#include "page_machinery/product.h"

namespace app {

HWND CreateDialogWindow(DuiLib::WindowImplBase& window) {
  return window.Create(::GetActiveWindow(), kProductName, kWindowStyle, kWindowExStyle, 0, 0, 0, 0);
}

void ShowDialogModal(DuiLib::WindowImplBase& window) {
  if (CreateDialogWindow(window) == nullptr) return;
  window.CenterWindow();
  window.ShowModal();
}

std::wstring ClickedName(const DuiLib::TNotifyUI& msg) {
  if (msg.pSender == nullptr || _wcsicmp(msg.sType.c_str(), L"click") != 0) return std::wstring();
  std::wstring name = msg.pSender->GetName();
  for (wchar_t& c : name) c = static_cast<wchar_t>(std::towlower(c));
  return name;
}

}  // namespace app
