#pragma once
#include <windows.h>

#include <memory>

namespace browser {

// Starts the embedded browser's process set-up and shuts it down when released. When the
// executable was started as one of the browser's own sub-processes, Create runs that
// sub-process and ends the process instead of returning.
class CefMainInit {
 public:
  static std::unique_ptr<CefMainInit> Create(HINSTANCE instance, bool& succeeded);
  ~CefMainInit();

  // Whether the browser runs a message loop of its own on another thread.
  bool multiThreadedMessageLoop() const { return multiThreadedMessageLoop_; }

 private:
  CefMainInit() = default;
  bool multiThreadedMessageLoop_ = false;
};

}  // namespace browser
