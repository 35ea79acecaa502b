#include "ui/win/manager_registry.h"
#include "ui/win/paint_manager.h"

namespace DuiLib {

namespace {
HINSTANCE gInstance = nullptr;
}

void CPaintManagerUI::SetInstance(HINSTANCE instance) { gInstance = instance; }

HINSTANCE CPaintManagerUI::GetInstance() {
  return gInstance ? gInstance : ::GetModuleHandleW(nullptr);
}

bool CPaintManagerUI::TranslateMessage(const MSG* msg) {
  if (msg->message != WM_KEYDOWN || msg->wParam != VK_ESCAPE) return false;
  CPaintManagerUI* manager = FindManagerOf(msg->hwnd);
  if (manager == nullptr) return false;
  // Escape closes the window that has the key, with close code 1 whatever the window.
  constexpr WPARAM kEscapeCloseCode = 1;
  ::PostMessageW(::GetAncestor(manager->GetPaintWindow(), GA_ROOT), WM_CLOSE,
                 kEscapeCloseCode, 0);
  return true;
}

void CPaintManagerUI::MessageLoop() {
  MSG msg{};
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (!TranslateMessage(&msg)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
  }
}

void CPaintManagerUI::Term() {
  // Nothing to release: the skin package and decoded pictures stay until the process ends,
  // and each window frees its own fonts and buffers.
}

}  // namespace DuiLib
