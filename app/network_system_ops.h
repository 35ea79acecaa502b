#pragma once
#include "functions/network_subpage.h"

namespace app {

// The network sub-page's system operations as the program has them: Windows' own tools with the real
// pauses, and the program's prompt in its OK-only mode.
functions::NetworkSystemOps ProgramNetworkSystemOps();

}  // namespace app
