#include "shell_test_support.h"

#include <cstdlib>

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  const DWORD start = ::GetTickCount();
  for (;;) {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
    if (done()) return true;
    if (::GetTickCount() - start >= timeoutMs) return false;
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

void PumpFor(DWORD ms) {
  PumpUntil([] { return false; }, ms);
}

std::string UnixPathFromEnvironment(const char* variable) {
  const char* unix = std::getenv(variable);
  std::string path = std::string("Z:") + (unix ? unix : "");
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

bool PromptUser::seen = false;

void PromptUser::Arm() {
  seen = false;
  ::SetTimer(nullptr, 0, 50, &PromptUser::Tick);
}

void CALLBACK PromptUser::Tick(HWND, UINT, UINT_PTR id, DWORD) {
  HWND prompt = ::FindWindowW(L"Main_Tip", nullptr);
  if (prompt == nullptr || !::IsWindowVisible(prompt)) return;
  ::KillTimer(nullptr, id);
  seen = true;
  const LPARAM ok = MAKELPARAM(156 + 59, 30 + 130 + 20);
  ::PostMessageW(prompt, WM_MOUSEMOVE, 0, ok);
  ::PostMessageW(prompt, WM_LBUTTONDOWN, MK_LBUTTON, ok);
  ::PostMessageW(prompt, WM_LBUTTONUP, 0, ok);
}
