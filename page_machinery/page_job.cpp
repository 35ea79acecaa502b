#include "page_machinery/page_job.h"

#include <chrono>
#include <utility>

#include "ui/win/ui_lock.h"

namespace repair {

PageJob::PageJob(DuiLib::CPaintManagerUI* manager, UINT timer, std::atomic<bool>& running,
                 std::atomic<bool>& busy)
    : manager_(manager),
      timer_(timer),
      running_(running),
      busy_(busy),
      ended_(::CreateEventW(nullptr, TRUE, TRUE, nullptr)) {}

PageJob::~PageJob() {
  Stop();
  if (ended_) ::CloseHandle(ended_);
}

void PageJob::Start(std::function<void()> work) {
  Join();
  handedOver_ = false;
  busy_ = true;
  running_ = true;
  ::ResetEvent(ended_);
  worker_ = std::thread([this, work = std::move(work)] {
    work();
    ::SetEvent(ended_);
  });
}

void PageJob::Join() {
  if (!worker_.joinable()) return;
  DuiLib::UiLockSuspension unlocked;
  while (::MsgWaitForMultipleObjects(1, &ended_, FALSE, INFINITE, QS_SENDMESSAGE) ==
         WAIT_OBJECT_0 + 1) {
    MSG msg;
    ::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
  }
  worker_.join();
}

void PageJob::HandOver() {
  handedOver_ = true;
  if (timerControl_) manager_->SetTimer(timerControl_, timer_, 10);
}

void PageJob::RequestStop() {
  {
    std::lock_guard<std::mutex> lock(pauseMutex_);
    running_ = false;
  }
  pauseEnds_.notify_all();
}

bool PageJob::Pause(unsigned ms) {
  std::unique_lock<std::mutex> lock(pauseMutex_);
  pauseEnds_.wait_for(lock, std::chrono::milliseconds(ms), [this] { return !running_; });
  return running_;
}

bool PageJob::Finish() {
  if (timerControl_) manager_->KillTimer(timerControl_, timer_);
  if (!handedOver_.exchange(false)) return false;
  running_ = false;
  busy_ = false;
  return true;
}

void PageJob::Stop() {
  if (!worker_.joinable()) return;
  RequestStop();
  Join();
  if (timerControl_) manager_->KillTimer(timerControl_, timer_);
  handedOver_ = false;
  busy_ = false;
}

}  // namespace repair
