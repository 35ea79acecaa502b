#pragma once
#include <windows.h>

#include <string>

namespace standin_test {

// Runs an installer the way the repair does and returns its exit code (-1 if it did not run).
inline long RunInstaller(const std::string& exe, const std::string& args) {
  std::string line = "\"" + exe + "\"" + (args.empty() ? "" : " " + args);
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return -1;
  WaitForSingleObject(pi.hProcess, 30000);
  DWORD code = 0;
  GetExitCodeProcess(pi.hProcess, &code);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return static_cast<long>(code);
}

}  // namespace standin_test
