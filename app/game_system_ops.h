#pragma once
#include "page_machinery/app_state.h"
#include "functions/game_system_ops.h"

namespace app {

// The game sub-page's system operations as the program has them: the registry in the program's own view,
// the catalogue lists of `state` as they are at each look, the system file checker, the
// runtime and DirectX repair engines, and the real pauses.
functions::GameSystemOps ProgramGameSystemOps(AppState& state);

}  // namespace app
