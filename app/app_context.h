#pragma once
#include <windows.h>

#include <memory>

#include "page_machinery/app_state.h"
#include "browser/cef_main_init.h"

namespace app {

// The one process-wide context: the shared state plus what start-up set up and shutdown
// releases (the instance, COM, the browser framework).
class AppContext : public AppState {
 public:
  ~AppContext();

  // CoInitialize must return S_OK (a thread on which COM was already initialised fails the
  // start too), the instance must not be null, and the browser set-up must succeed.
  bool Initialise(HINSTANCE instance);

  HINSTANCE instance = nullptr;
  std::unique_ptr<browser::CefMainInit> browserInit;

 private:
  bool comInitialised_ = false;
};

// Creates the context on first use; the entry point calls it before any other thread exists.
AppContext& GetAppContext();

// Fills exeFileName and channel: the installer's "QID" value when it is set, otherwise the
// channel encoded in the executable's file name.
void LoadChannel(AppContext& context);

}  // namespace app
