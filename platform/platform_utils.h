#pragma once
#include <windows.h>

#include <string>
#include <vector>

// Thin wrappers over the Windows calls that many parts of the program need. They hold no
// state; a failed system call yields empty text.
namespace platform {

std::string ModulePath();
std::string ModuleFolder();
std::string ModuleFileName();
// SHGetSpecialFolderPathA without creating the folder, e.g. CSIDL_LOCAL_APPDATA.
std::string SpecialFolder(int csidl);

// UTF-8 (from the server) to code page 936, through UTF-16. Null gives empty text.
std::string Utf8ToDisplayText(const char* utf8);
inline std::string Utf8ToDisplayText(const std::string& utf8) { return Utf8ToDisplayText(utf8.c_str()); }
std::string WideToAnsi(const wchar_t* wide);
std::wstring AnsiToWide(const char* ansi);
// Code page 936 back to UTF-8; used where display texts go back out to the server or a file.
std::string DisplayTextToUtf8(const std::string& gbk);
// Code page 936 to UTF-16 for the UI: the same text on a system of any ANSI code page.
std::wstring DisplayTextToWide(const std::string& gbk);

// The processor architecture of the machine rather than of this 32-bit process.
bool IsSystem64Bit();

// The folder Windows is installed in ("C:\Windows", "D:\WINNT"), without a trailing
// backslash unless it is a drive's root: the shared one, not a terminal-server user's own
// copy. Empty when the system does not say.
std::string SystemWindowsFolder();

// Appends the ids of every process whose executable name equals name, ignoring letter case
// (names compared in code page 936). False, with the list unchanged, when no snapshot could
// be taken.
bool FindProcessesByName(const std::string& name, std::vector<DWORD>& processIds);

// ShellExecuteA "open" of folder\file (or file alone), with folder as the working folder.
void ShellOpen(const char* folder, const std::string& file, const char* parameters, int showCommand);

}  // namespace platform
