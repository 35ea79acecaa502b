#pragma once
#include <string>

namespace app {

// The user's desktop folder (CSIDL_DESKTOPDIRECTORY); empty when the system names none.
std::wstring DesktopFolder();

// Makes folder\<name>.lnk point at `target` (working folder: the target's folder) unless a
// file of that name is there already; an existing file is never touched. Any failing step
// abandons the shortcut; returns whether one exists afterwards.
bool EnsureShortcut(const std::wstring& folder, const std::wstring& name, const std::wstring& target);

// The program's own, named after the product and pointing at this executable, in `folder`:
// the desktop when it is empty.
bool EnsureDesktopShortcut(const std::wstring& folder = std::wstring());

}  // namespace app
