#pragma once
#include <string>

namespace browser {

// The script that an engine without a script bridge of its own runs in every document of
// every frame once it has loaded: it makes each of the script functions a global function
// that hands its call to window.external (BeginMessage, one AddArgument per argument as its
// string value, SendMessage) and returns nothing to the page. Plain old script, so that every
// document mode of the system's browser control runs it.
std::string BridgeInstallScript();

}  // namespace browser
