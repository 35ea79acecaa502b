#pragma once
#include <string>

namespace platform {

// ShellExecuteA "open" of folder\file (or file alone), with folder as the working folder.
void ShellOpen(const char* folder, const std::string& file, const char* parameters, int showCommand);

}  // namespace platform
