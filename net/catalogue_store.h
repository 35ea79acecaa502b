#pragma once
#include <string>

#include "app/app_state.h"
#include "net/catalogue_parser.h"

namespace net {

// Parses one reply of kind 0, 3, 4, 5, 8 or 15 and, when it is accepted, replaces the list or
// user record that the kind names, whole. Anything else leaves the state untouched. On 32-bit
// Windows (state.system64Bit false) the runtime list is stored without its 64-bit packages
// (systemBit 1), which could neither install nor ever be found there.
ReplyStatus StoreReply(app::AppState& state, int kind, const std::string& body,
                       const DisplayTextConverter& convert);

}  // namespace net
