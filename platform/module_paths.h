#pragma once
#include <string>

// Where this program and the system's special folders are. A failed system call yields empty
// text.
namespace platform {

std::string ModulePath();
std::string ModuleFolder();
std::string ModuleFileName();
// SHGetSpecialFolderPathA without creating the folder, e.g. CSIDL_LOCAL_APPDATA.
std::string SpecialFolder(int csidl);

}  // namespace platform
