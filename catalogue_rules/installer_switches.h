#pragma once
#include <string>

namespace net {

// The switches an installer may be started with, as the catalogue's silentParam: tokens
// separated by single spaces, each one of the silent switches of the Visual C++
// redistributables (2005 to 2022), the .NET Framework installers and DirectX's set-up, in any
// letter case. A signed entry is still the operator's typing; a switch outside this list
// (a log path, /uninstall, IExpress's /c: command) could make a signed program do something
// else than install quietly, so it is refused rather than passed on.
bool SwitchesFromVocabulary(const std::string& switches);

// The vocabulary itself, lower case, for messages that list it.
const char* const* InstallerSwitchVocabulary();

}  // namespace net
