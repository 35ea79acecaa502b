#pragma once
#include <string>

namespace app {

// The user's desktop folder (CSIDL_DESKTOPDIRECTORY); empty when the system names none.
std::wstring DesktopFolder();

// Makes folder\<name>.lnk point at `target` (working folder: the target's folder) unless a
// file of that name is there already; an existing file is never touched. Any failing step
// abandons the shortcut; returns whether one exists afterwards.
bool EnsureShortcut(const std::wstring& folder, const std::wstring& name, const std::wstring& target);

// The program's own: on the desktop, named after the product, pointing at this executable.
bool EnsureDesktopShortcut();

}  // namespace app
