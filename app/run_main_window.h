#pragma once
#include <windows.h>

#include <string>

#include "page_machinery/app_state.h"

namespace app {

// Creates the main window, centred and shown, and runs the message loop until the program
// is asked to end; returns once the window is gone.
void RunMainWindow(HINSTANCE instance, AppState& state, const std::string& baseUrl);

}  // namespace app
