#pragma once
#include <windows.h>

#include <functional>

namespace app {

// A private message of the main frame: run the function that lParam points at.
constexpr UINT kMsgCallOnUiThread = WM_APP + 0x120;

// Runs `call` on the thread that owns `window` and returns when it has finished. A sent
// message is handled even while that thread sits in a modal loop; if the window is gone the
// call is dropped.
inline void CallOnWindowThread(HWND window, const std::function<void()>& call) {
  if (::GetWindowThreadProcessId(window, nullptr) == ::GetCurrentThreadId()) return call();
  if (!::IsWindow(window)) return;
  ::SendMessageW(window, kMsgCallOnUiThread, 0,
                 reinterpret_cast<LPARAM>(const_cast<std::function<void()>*>(&call)));
}

// For the owning window's procedure: true when it was that message.
inline bool HandleCallOnUiThread(UINT message, LPARAM lParam) {
  if (message != kMsgCallOnUiThread) return false;
  if (lParam) (*reinterpret_cast<std::function<void()>*>(lParam))();
  return true;
}

}  // namespace app
