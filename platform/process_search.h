#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace platform {

// Appends the ids of every process whose executable name equals name, ignoring letter case
// (names compared in code page 936). False, with the list unchanged, when no snapshot could
// be taken.
bool FindProcessesByName(const std::string& name, std::vector<DWORD>& processIds);

}  // namespace platform
