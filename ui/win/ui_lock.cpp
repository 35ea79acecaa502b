#include "ui/win/ui_lock.h"

#include <condition_variable>
#include <mutex>

namespace DuiLib {

namespace {

// Served in arrival order. A plain mutex is not fair: a worker that changes a control in a
// loop takes it back at once, and the UI thread would wait seconds for its paint pass.
class TicketLock {
 public:
  void lock() {
    std::unique_lock<std::mutex> guard(mutex_);
    const unsigned ticket = next_++;
    turn_.wait(guard, [&] { return serving_ == ticket; });
  }
  void unlock() {
    {
      std::lock_guard<std::mutex> guard(mutex_);
      ++serving_;
    }
    turn_.notify_all();
  }

 private:
  std::mutex mutex_;
  std::condition_variable turn_;
  unsigned next_ = 0;
  unsigned serving_ = 0;
};

TicketLock& TheMutex() {
  static TicketLock lock;
  return lock;
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
