#pragma once
#include <string>

// The program's folders on this machine, and the plain file and folder tests it makes.
namespace platform {

std::string LocalAppData();  // CSIDL_LOCAL_APPDATA, no trailing backslash
// Where the installers and DLLs to be used elevated are cached: ProgramData (CSIDL_COMMON_APPDATA),
// no trailing backslash. The user's own folders could be written by anything the user runs.
std::string RepairCacheBase();
// Creates the folder with every missing parent; true when it exists afterwards.
bool EnsureFolder(const std::string& folder);
bool FileExists(const std::string& path);

}  // namespace platform
