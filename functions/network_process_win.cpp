#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <vector>

#include "functions/network_tools.h"
#include "platform/text_conversion.h"

namespace functions {

bool NetworkTools::RunAndCapture(const std::string& commandLine, char* buffer, size_t capacity) {
  SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  HANDLE readEnd = nullptr;
  HANDLE writeEnd = nullptr;
  if (!CreatePipe(&readEnd, &writeEnd, &inheritable, 0)) return false;
  // The child gets only the write end; were the read end inherited too, the pipe would never
  // report its end while the child lives.
  SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);

  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES | STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_HIDE;
  startup.hStdOutput = writeEnd;
  startup.hStdError = writeEnd;
  PROCESS_INFORMATION process{};
  std::vector<char> line(commandLine.begin(), commandLine.end());
  line.push_back('\0');
  BOOL started = CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                                &startup, &process);
  // Closed before reading, so that the pipe reports its end once the child's copy is gone.
  CloseHandle(writeEnd);
  if (!started) {
    CloseHandle(readEnd);
    return false;
  }

  // Read until the pipe is drained rather than while the child lives: what it printed just
  // before ending is still in the pipe after it has gone. Beyond the capacity the output is
  // read and dropped, so the child is never blocked on a full pipe.
  size_t used = 0;
  if (capacity > 0) buffer[0] = '\0';
  char chunk[5119];
  DWORD got = 0;
  while (ReadFile(readEnd, chunk, sizeof chunk, &got, nullptr) && got > 0) {
    if (capacity == 0) continue;
    size_t take = std::min<size_t>(got, capacity - 1 - used);
    std::copy(chunk, chunk + take, buffer + used);
    used += take;
    buffer[used] = '\0';
  }
  WaitForSingleObject(process.hProcess, INFINITE);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  CloseHandle(readEnd);
  return true;
}

std::string SystemToolFolder() {
  // The system folder as Windows reports it: not every machine has Windows on C:.
  char system[MAX_PATH] = {};
  UINT length = GetSystemDirectoryA(system, MAX_PATH);
  return length > 0 && length < MAX_PATH ? std::string(system) + "\\" : "C:\\Windows\\System32\\";
}

std::string SystemToolCommand(const char* program, const std::string& arguments) {
  // A bare name would be looked for in this program's own folder and the current folder
  // before the system's, where anyone who can write there could put a tool of the same name.
  return "\"" + SystemToolFolder() + program + "\" " + arguments;
}

void NetworkTools::RunAndWait(const char* program, const std::string& parameters) {
  // Wide, because a connection name may hold characters the ANSI code page lacks.
  wchar_t system[MAX_PATH] = {};
  UINT length = GetSystemDirectoryW(system, MAX_PATH);
  const std::wstring folder =
      length > 0 && length < MAX_PATH ? std::wstring(system) + L"\\" : L"C:\\Windows\\System32\\";
  std::wstring file = folder + platform::Utf8ToWide(program);
  std::wstring wideParameters = platform::Utf8ToWide(parameters);
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
  info.lpFile = file.c_str();
  info.lpParameters = wideParameters.c_str();
  info.lpDirectory = folder.c_str();
  info.nShow = SW_HIDE;
  if (!ShellExecuteExW(&info) || !info.hProcess) return;
  WaitForSingleObject(info.hProcess, INFINITE);
  CloseHandle(info.hProcess);
}

}  // namespace functions
