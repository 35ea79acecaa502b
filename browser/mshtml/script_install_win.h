#pragma once
#include <windows.h>
#include <oaidl.h>

namespace browser {

// Runs the bridge's install script in the document that `frame` (the web browser object of
// the main frame or of a sub-frame) has just completed. True when the script ran.
bool InstallScriptFunctions(IDispatch* frame);

}  // namespace browser
