#pragma once
#include <windows.h>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

#include "ui/win/paint_manager.h"

namespace repair {

// One kind of job of a page (a scan, a repair, a check): its worker thread and the hand-over
// to the UI thread. The worker changes controls as it goes and ends by arming a 10 ms timer
// on one of the page's controls; the page's "timer" notification then finishes the job on
// the UI thread.
//
// The two marks belong to the page kind and live for the process: `running` says a worker is
// at work (clearing it asks the worker to stop before its next step), `busy` says a job has
// started and not been finished yet; a page uses them to refuse a second job meanwhile.
class PageJob {
 public:
  PageJob(DuiLib::CPaintManagerUI* manager, UINT timer, std::atomic<bool>& running,
          std::atomic<bool>& busy);
  // The owner stops the job itself (Stop), while the engine its worker calls still exists.
  ~PageJob();
  PageJob(const PageJob&) = delete;
  PageJob& operator=(const PageJob&) = delete;

  // The control whose timer carries the hand-over; without one a job cannot start.
  void SetTimerControl(DuiLib::CControlUI* control) { timerControl_ = control; }
  UINT Timer() const { return timer_; }
  bool Busy() const { return busy_; }
  bool Running() const { return running_; }
  // The worker has ended and its finishing step not yet run.
  bool HandedOver() const { return handedOver_; }

  // Marks the job running and busy and runs `work` on a new thread, after joining the last
  // worker of this job (which has handed over already, so the wait is short).
  void Start(std::function<void()> work);
  // Waits for the last worker to end without asking it to stop. The UI lock is let go and
  // messages sent from other threads are served meanwhile: a worker may be waiting for the UI
  // thread to show a prompt.
  void Join();
  // The worker's last act.
  void HandOver();
  // Asks the worker to stop before its next step; it still ends the step in hand.
  void RequestStop();
  // Waits up to `ms` on the worker; false, at once, when the job is asked to stop.
  bool Pause(unsigned ms);
  // On the UI thread, for a timer notification of Timer(): stops the timer and frees the
  // marks. False for a stray tick, when no worker of this job has handed over.
  bool Finish();
  // For a page that goes: asks the worker to stop, waits for it with the UI lock let go (it
  // needs that lock for its next change to the controls), stops the timer and frees the marks,
  // so that a later frame's page finds this kind's jobs free.
  void Stop();

 private:
  DuiLib::CPaintManagerUI* manager_;
  DuiLib::CControlUI* timerControl_ = nullptr;
  const UINT timer_;
  std::atomic<bool>& running_;
  std::atomic<bool>& busy_;
  std::atomic<bool> handedOver_{false};
  std::thread worker_;
  // Set by the worker as its last act, so that a join can serve sent messages while it waits.
  HANDLE ended_;
  std::mutex pauseMutex_;
  std::condition_variable pauseEnds_;
};

}  // namespace repair
