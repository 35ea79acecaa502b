#include "platform/shell_open.h"

#include <windows.h>
#include <shellapi.h>

#include "platform/path_text.h"

namespace platform {

void ShellOpen(const char* folder, const std::string& file, const char* parameters, int showCommand) {
  ShellRun(folder ? JoinPath(folder, file) : file, parameters, folder, showCommand);
}

void ShellRun(const std::string& program, const char* parameters, const char* workingFolder, int showCommand) {
  ShellExecuteA(nullptr, "open", program.c_str(), parameters, workingFolder, showCommand);
}

}  // namespace platform
