#pragma once
#include <string>

namespace browser {

// The document mode the system's web browser control uses for this program: 11001 is the
// newest installed engine in its standards mode, whatever a page's doctype says. Without the
// value the control falls back to the IE7 mode of the oldest pages.
constexpr unsigned long kBrowserEmulationMode = 11001;

// Writes the program's executable name (as "Tessavane.exe") under the current user's
// FEATURE_BROWSER_EMULATION key; true when the value is in place.
bool SelectCurrentDocumentMode(const std::wstring& exeFileName);

// The file name of this process's executable, without its folder.
std::wstring ExecutableFileName();

}  // namespace browser
