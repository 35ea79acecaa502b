#include <windows.h>

#include <vector>

#include "repair/com_registration.h"
#include "repair/com_registration_system.h"

namespace repair {

bool RegisterComServer(const std::string& windowsFolder, const std::string& dllPath, bool nativeFile,
                       bool system64Bit) {
  const bool process32Bit = sizeof(void*) == 4;
  const std::string registrar = RegistrarPath(windowsFolder, nativeFile, process32Bit, system64Bit);
  const std::string commandLine = RegistrarCommandLine(registrar, dllPath);
  if (windowsFolder.empty() || commandLine.empty()) return false;
  std::vector<char> writable(commandLine.begin(), commandLine.end());
  writable.push_back('\0');
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_HIDE;
  PROCESS_INFORMATION process = {};
  // The registrar is named by its full path, so no folder on the search path can stand in
  // for it; the program runs elevated and so does what it starts.
  if (!CreateProcessA(registrar.c_str(), writable.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &process))
    return false;
  CloseHandle(process.hThread);
  DWORD exitCode = 1;
  const bool ended = WaitForSingleObject(process.hProcess, kRegistrationWaitLimitMs) == WAIT_OBJECT_0;
  const bool read = ended && GetExitCodeProcess(process.hProcess, &exitCode);
  CloseHandle(process.hProcess);
  return read && exitCode == 0;
}

}  // namespace repair
