#include "ui/win/ui_lock.h"

#include <mutex>

namespace DuiLib {

namespace {

std::mutex& TheMutex() {
  static std::mutex mutex;
  return mutex;
}

thread_local int tDepth = 0;

}  // namespace

void UiLockAcquire() {
  if (tDepth++ == 0) TheMutex().lock();
}

void UiLockRelease() {
  if (--tDepth == 0) TheMutex().unlock();
}

bool UiLockHeldByThisThread() { return tDepth > 0; }

UiLockSuspension::UiLockSuspension() : savedDepth_(tDepth) {
  if (savedDepth_ > 0) {
    tDepth = 0;
    TheMutex().unlock();
  }
}

UiLockSuspension::~UiLockSuspension() {
  if (savedDepth_ > 0) {
    TheMutex().lock();
    tDepth = savedDepth_;
  }
}

}  // namespace DuiLib
