#pragma once
#include <string>

namespace app {

// This PC's address for the sign-in requests ("mac"): see ChooseMacAddress. All zeros when the
// adapter list cannot be read.
std::string GetMacText();

}  // namespace app
