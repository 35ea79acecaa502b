#pragma once
#include <string>

namespace repair {

// Registers the COM server at dllPath (a path on this machine, as this process sees it with
// redirection on) with the system's regsvr32 of the file's bitness, silently, and waits for it
// at most kRegistrationWaitLimitMs. True only when regsvr32 ended with exit code 0 in time; one
// that is still running then is left to finish, and the registration counts as failed.
bool RegisterComServer(const std::string& windowsFolder, const std::string& dllPath, bool nativeFile,
                       bool system64Bit);

}  // namespace repair
