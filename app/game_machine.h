#pragma once
#include "page_machinery/app_state.h"
#include "functions/game_machine.h"

namespace app {

// The game sub-page's machine as the program has it: the registry in the program's own view,
// the catalogue lists of `state` as they are at each look, the system file checker, the
// runtime and DirectX repair engines, and the real pauses.
functions::GameMachine ProgramGameMachine(AppState& state);

}  // namespace app
