#include "platform/shell_open.h"

#include <windows.h>
#include <shellapi.h>

namespace platform {

void ShellOpen(const char* folder, const std::string& file, const char* parameters, int showCommand) {
  std::string target = folder ? std::string(folder) + "\\" + file : file;
  ShellExecuteA(nullptr, "open", target.c_str(), parameters, folder, showCommand);
}

}  // namespace platform
