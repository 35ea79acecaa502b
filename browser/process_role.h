#pragma once
#include <string>
#include <vector>

namespace browser {

// What this copy of the executable is for. A browser engine may start further copies of the
// program for its own work and marks them with a "type" switch.
enum class ProcessRole {
  kBrowser,  // no "type" switch: the program itself
  kRender,   // "type" is "renderer"
  kOther,    // "type" with any other value, an empty one included
};

// The role from the command line's arguments (the program's own path left out). Switches are
// written as the engines write them: "--type=VALUE", also with "-" or "/" in front; a lone
// "--" ends the switches. Switch names ignore letter case, values do not.
ProcessRole RoleFromArguments(const std::vector<std::wstring>& arguments);

}  // namespace browser
