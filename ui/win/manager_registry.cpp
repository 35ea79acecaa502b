#include "ui/win/manager_registry.h"

#include <algorithm>
#include <vector>

#include "ui/win/paint_manager.h"
#include "ui/win/ui_lock.h"

namespace DuiLib {

namespace {
std::vector<CPaintManagerUI*>& Managers() {
  static std::vector<CPaintManagerUI*> managers;
  return managers;
}
}  // namespace

void RegisterManager(CPaintManagerUI* manager) {
  UiGuard guard;
  if (std::find(Managers().begin(), Managers().end(), manager) == Managers().end())
    Managers().push_back(manager);
}

void UnregisterManager(CPaintManagerUI* manager) {
  UiGuard guard;
  auto& managers = Managers();
  managers.erase(std::remove(managers.begin(), managers.end(), manager), managers.end());
}

CPaintManagerUI* FindManagerOf(HWND window) {
  UiGuard guard;
  // Up through child windows only: GetParent of a popup is its owner, and Escape in an
  // owned window of someone else's (a message box) must not close the frame behind it.
  for (HWND w = window; w != nullptr;
       w = (::GetWindowLongW(w, GWL_STYLE) & WS_CHILD) ? ::GetParent(w) : nullptr) {
    for (CPaintManagerUI* manager : Managers()) {
      if (manager->GetPaintWindow() == w) return manager;
    }
  }
  return nullptr;
}

}  // namespace DuiLib
