#pragma once
#include <windows.h>

#include <functional>
#include <memory>

#include "browser/engine.h"

namespace browser {

// The start-up hook that every copy of the executable passes first. A copy started with a
// "type" switch is one of a browser engine's helper processes: it ends here, at once, with
// exit code 0 and no window. The program's own process starts the engine and plugs it in as
// the current engine; releasing the object takes it out and shuts it down.
class CefMainInit {
 public:
  using EngineStarter = std::function<std::unique_ptr<Engine>()>;

  // `succeeded` is false when the engine could not be started; start-up then fails.
  static std::unique_ptr<CefMainInit> Create(HINSTANCE instance, bool& succeeded);
  // The same with another engine (tests).
  static std::unique_ptr<CefMainInit> Create(HINSTANCE instance, bool& succeeded, const EngineStarter& start);
  ~CefMainInit();

  // Whether the engine runs a message loop of its own on another thread: the system's
  // control runs on the program's UI thread.
  bool multiThreadedMessageLoop() const { return false; }

 private:
  CefMainInit() = default;
  std::unique_ptr<Engine> engine_;
};

}  // namespace browser
