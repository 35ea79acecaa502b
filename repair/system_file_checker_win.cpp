#include <windows.h>

#include <vector>

#include "platform/process_search.h"
#include "platform/shell_open.h"
#include "platform/system_bitness.h"
#include "repair/system_file_checker.h"

namespace repair {

ShellLauncher SystemShellLauncher() {
  return [](const ShellCommand& command) {
    platform::ShellOpen(command.folder.c_str(), command.file, command.parameters.c_str(),
                        command.show);
  };
}

// Redirection stays on while the shell starts the checker: the shell loads DLLs on the way,
// and with redirection off they would come from the 64-bit folder and fail, some for the
// rest of the process.
std::string CheckerFolder() {
  const bool wow64 = sizeof(void*) == 4 && platform::IsSystem64Bit();
  return wow64 ? "C:\\Windows\\Sysnative\\" : "C:\\Windows\\System32\\";
}

bool StartSystemFileChecker(const ShellLauncher& launch) {
  std::vector<DWORD> running;
  if (!platform::FindProcessesByName("sfc.exe", running) || !running.empty()) return false;
  launch({CheckerFolder(), "sfc.exe", "/SCANNOW", SW_HIDE});
  return true;
}

}  // namespace repair
