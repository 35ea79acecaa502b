#pragma once
#include "functions/network_subpage.h"

namespace app {

// The network sub-page's machine as the program has it: Windows' own tools with the real
// pauses, and the program's prompt in its OK-only mode.
functions::NetworkMachine ProgramNetworkMachine();

}  // namespace app
