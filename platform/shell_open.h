#pragma once
#include <string>

namespace platform {

// ShellExecuteA "open" of folder\file (or file alone), with folder as the working folder.
void ShellOpen(const char* folder, const std::string& file, const char* parameters, int showCommand);

// ShellExecuteA "open" of the program at its full path, in the working folder given (none: the
// caller's).
void ShellRun(const std::string& program, const char* parameters, const char* workingFolder, int showCommand);

}  // namespace platform
