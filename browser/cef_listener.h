#pragma once
#include "browser/script_message.h"

namespace browser {

// The owner of a browser control hears the page through this. Both calls run on the engine's
// thread (in this program the UI thread that owns the window).
class CefListener {
 public:
  // A page script of any frame called one of the script functions. The listener checks the
  // name; the argument list is exactly as long as the call was.
  virtual void OnBrowserMessage(const ScriptMessage& message) = 0;
  // A document finished loading, once per frame, with the HTTP status the engine saw.
  virtual void OnPageLoaded(int httpStatus) = 0;

 protected:
  ~CefListener() = default;
};

}  // namespace browser
