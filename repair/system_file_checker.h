#pragma once
#include <functional>
#include <string>

namespace repair {

// A program handed to the shell to open: folder + file with the parameters, in the folder,
// with the show command.
struct ShellCommand {
  std::string folder;
  std::string file;
  std::string parameters;
  int show = 0;
};
using ShellLauncher = std::function<void(const ShellCommand&)>;

// The shell itself (ShellExecuteA "open"), without waiting and without looking at the result.
ShellLauncher SystemShellLauncher();

// Where this process finds the native "sfc.exe" with file-system redirection on: on 64-bit
// Windows "System32" names the 32-bit folder here, whose checker cannot repair the system,
// and "Sysnative" the native one.
std::string CheckerFolder();

// Starts the system file checker ("sfc.exe /SCANNOW", hidden) through `launch`, unless one
// runs already or the process list cannot be read; true when it was handed to `launch`.
// The checker is never waited for and never stopped.
bool StartSystemFileChecker(const ShellLauncher& launch);

}  // namespace repair
