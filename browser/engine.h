#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "browser/script_message.h"

// The one seam between the program's browser layer and the engine that shows the pages. The
// control and the sign-in window talk only to these interfaces; the program plugs in the
// system's web browser control (mshtml/), the tests a recording engine.
namespace browser {

// What an engine reports about one browser. Calls arrive on the engine's thread.
class EngineClient {
 public:
  // A document finished loading in the main frame or in a sub-frame (once per frame).
  virtual void OnLoadEnd(int httpStatus) = 0;
  // A page script called one of the script functions, in any frame.
  virtual void OnScriptMessage(const ScriptMessage& message) = 0;

 protected:
  ~EngineClient() = default;
};

// One browser: a native child window of the parent it was created in, showing one page.
class EngineBrowser {
 public:
  virtual ~EngineBrowser() = default;
  // The native window the control keeps over its rectangle.
  virtual HWND Window() const = 0;
  virtual void LoadUrl(const std::wstring& url) = 0;
  virtual void SetFocus(bool focused) = 0;
  // Stops the page and lets the window go; the client hears nothing afterwards.
  virtual void Close() = 0;
};

class Engine {
 public:
  virtual ~Engine() = default;
  // Runs `task` later on the engine's thread, from a message of that thread's loop.
  virtual void PostTask(std::function<void()> task) = 0;
  virtual bool IsEngineThread() const = 0;
  // On the engine's thread only. Null when no browser could be made.
  virtual std::unique_ptr<EngineBrowser> CreateBrowser(HWND parent, const RECT& rect, const std::wstring& url,
                                                       EngineClient* client) = 0;
};

// The engine in use, or null before the process set-up has plugged one in. Set once, on the
// program's UI thread, before any browser control exists; the engine lives until the process
// set-up is released.
Engine* CurrentEngine();
void SetCurrentEngine(Engine* engine);

}  // namespace browser
