#pragma once

namespace DuiLib {

// One lock for the state of every control of the process. Worker threads change texts,
// values and visibility while the UI thread lays out and paints; each of those holds this
// lock, so neither ever sees the other's change half-done. It is re-entrant per thread.
void UiLockAcquire();
void UiLockRelease();
bool UiLockHeldByThisThread();

class UiGuard {
 public:
  UiGuard() { UiLockAcquire(); }
  ~UiGuard() { UiLockRelease(); }
  UiGuard(const UiGuard&) = delete;
  UiGuard& operator=(const UiGuard&) = delete;
};

// Lets go of every level this thread holds for the time of a call out to notification
// receivers: a receiver may open a modal dialog, whose loop can run for minutes, and
// workers must not stall on the lock meanwhile.
class UiLockSuspension {
 public:
  UiLockSuspension();
  ~UiLockSuspension();
  UiLockSuspension(const UiLockSuspension&) = delete;
  UiLockSuspension& operator=(const UiLockSuspension&) = delete;

 private:
  int savedDepth_;
};

}  // namespace DuiLib
