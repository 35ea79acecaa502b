#pragma once
#include <windows.h>

#include <functional>
#include <memory>

namespace browser {

// Runs tasks on the thread that made it, from that thread's message loop (any loop, modal
// ones too): a message-only window receives each task as a posted message. Tasks still
// waiting when it is destroyed are dropped.
class TaskWindow {
 public:
  static std::unique_ptr<TaskWindow> Create();
  ~TaskWindow();
  TaskWindow(const TaskWindow&) = delete;
  TaskWindow& operator=(const TaskWindow&) = delete;

  // Any thread.
  void Post(std::function<void()> task);
  bool IsOwnThread() const { return ::GetCurrentThreadId() == thread_; }

 private:
  TaskWindow(HWND window, DWORD thread) : window_(window), thread_(thread) {}
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  HWND window_;
  DWORD thread_;
};

}  // namespace browser
