#pragma once
#include <windows.h>

#include <memory>

#include "browser/engine.h"

namespace browser {

// The system's web browser control (MSHTML) as the program's engine. It runs on the thread
// that starts it, the program's UI thread: the control is an apartment-threaded COM object
// whose windows belong with the windows that host it. Tasks for that thread go through a
// message-only window, so every message loop of the thread, modal ones included, runs them.
// Null when the thread cannot host it (OLE or the task window failed).
std::unique_ptr<Engine> StartMshtmlEngine();

}  // namespace browser
