#include "app/dialogs/shell_window.h"

namespace app {

bool RunningUnderWine() {
  HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
  return ntdll != nullptr && ::GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

void ShellWindow::CreateShadow(int size) {
  static const bool underWine = RunningUnderWine();
  if (underWine) return;
  shadow_.Create(GetHWND());
  shadow_.SetPosition(0, 0);
  shadow_.SetSize(size);
}

}  // namespace app
