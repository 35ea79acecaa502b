#pragma once
#include <functional>
#include <string>

namespace repair {

// A program handed to the shell to open: its full path, the parameters, its working folder
// and the show command.
struct ShellCommand {
  std::string program;
  std::string parameters;
  std::string workingFolder;
  int show = 0;
};
using ShellLauncher = std::function<void(const ShellCommand&)>;

// The shell itself (ShellExecuteA "open"), without waiting and without looking at the result.
ShellLauncher SystemShellLauncher();

// The system file checker's command for Windows in windowsFolder ("C:\Windows", or "C:\" in a
// drive's root): "sfc.exe /SCANNOW", hidden (show 0), from the native system folder. A 32-bit
// process on 64-bit Windows (wow64Process) reaches that folder as "Sysnative" with redirection
// on (its "System32" is the 32-bit folder, whose checker cannot repair the system); the
// checker itself, a 64-bit process, knows no "Sysnative", so its working folder is "System32".
ShellCommand SystemFileCheckerCommand(const std::string& windowsFolder, bool wow64Process);

// Starts the system file checker through `launch`, unless one runs already or the process
// list cannot be read; true when it was handed to `launch`. The checker is never waited for
// and never stopped.
bool StartSystemFileChecker(const ShellLauncher& launch);

}  // namespace repair
