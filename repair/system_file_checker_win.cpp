#include <windows.h>

#include <vector>

#include "platform/process_search.h"
#include "platform/shell_open.h"
#include "platform/system_bitness.h"
#include "platform/windows_folder.h"
#include "repair/system_file_checker.h"

namespace repair {

ShellLauncher SystemShellLauncher() {
  return [](const ShellCommand& command) {
    platform::ShellRun(command.program, command.parameters.c_str(), command.workingFolder.c_str(),
                       command.show);
  };
}

// Redirection stays on while the shell starts the checker: the shell loads DLLs on the way,
// and with redirection off they would come from the 64-bit folder and fail, some for the
// rest of the process.
bool StartSystemFileChecker(const ShellLauncher& launch) {
  std::vector<DWORD> running;
  if (!platform::FindProcessesByName("sfc.exe", running) || !running.empty()) return false;
  std::string windows = platform::SystemWindowsFolder();
  if (windows.empty()) windows = "C:\\Windows";
  const bool wow64 = sizeof(void*) == 4 && platform::IsSystem64Bit();
  launch(SystemFileCheckerCommand(windows, wow64));
  return true;
}

}  // namespace repair
