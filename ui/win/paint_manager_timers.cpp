#include "ui/win/paint_manager.h"

#include "ui/win/ui_lock.h"

namespace DuiLib {

bool CPaintManagerUI::SetTimer(CControlUI* control, UINT id, UINT elapseMs) {
  if (control == nullptr) return false;
  UiGuard guard;
  if (!window_ || !timers_.Arm(control, id, elapseMs)) return false;
  SyncTimers();
  return true;
}

bool CPaintManagerUI::KillTimer(CControlUI* control, UINT id) {
  UiGuard guard;
  if (!timers_.Kill(control, id)) return false;
  SyncTimers();
  return true;
}

void CPaintManagerUI::KillTimers(CControlUI* control) {
  UiGuard guard;
  timers_.KillAll(control);
  SyncTimers();
}

void CPaintManagerUI::SyncTimers() {
  if (!window_) return;
  if (!IsUiThread()) {
    // SetTimer on a window fails from a thread that does not own it; the window's own
    // thread catches up when it sees this message.
    ::PostMessageW(window_, kMsgSyncTimers, 0, 0);
    return;
  }
  HWND window = window_;
  timers_.Sync([window](unsigned nativeId, unsigned interval) {
                 // USER_TIMER_MINIMUM (10 ms) is what Windows makes of anything shorter.
                 ::SetTimer(window, nativeId, interval, nullptr);
               },
               [window](unsigned nativeId) { ::KillTimer(window, nativeId); });
}

void CPaintManagerUI::OnTimer(UINT_PTR nativeId) {
  UiGuard guard;
  const TimerTable::Entry* entry = timers_.FindRunning(static_cast<unsigned>(nativeId));
  if (entry == nullptr) return;  // killed after the tick was queued
  CControlUI* control = static_cast<CControlUI*>(const_cast<void*>(entry->control));
  POINT point{0, 0};
  SendEvent(control, UIEVENT_TIMER, point, entry->id);
}

}  // namespace DuiLib
