#pragma once
#include <string>

// The catalogue names every system file as it would lie on a machine whose Windows is in
// "C:\Windows". Windows may live elsewhere ("D:\WINNT", "E:\Windows", "C:\WINDOWS"), and a
// path taken literally would then be looked for, and copied to, in a folder that is not the
// system's. These turn a catalogue path into the path on this machine.
namespace platform {

// The folder prefix the catalogue uses for every file it places into the system.
inline constexpr const char kCatalogueWindowsFolder[] = "C:\\Windows\\";

// cataloguePath with its leading "C:\Windows\" (any letter case) replaced by windowsFolder
// (as the system reports it: "C:\Windows", "D:\WINNT", or "C:" when Windows is in a drive's
// root; one trailing backslash is accepted). Empty text, meaning "refused", when the path
// does not begin with that prefix (so "C:\WindowsOld\..." is refused, not mapped), when the
// rest is empty or could leave the folder (a "." or ".." component, an empty component,
// "/" or ":"), or when windowsFolder is not a drive-letter path.
std::string MapWindowsFolder(const std::string& cataloguePath, const std::string& windowsFolder);

// The folder Windows is installed in ("C:\Windows", "D:\WINNT"), without a trailing
// backslash unless it is a drive's root: the shared one, not a terminal-server user's own
// copy. Empty when the system does not say.
std::string SystemWindowsFolder();

}  // namespace platform
