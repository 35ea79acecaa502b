#pragma once
#include <string>

namespace app {

// The channel reported when neither the registry nor the file name names one.
extern const char kDefaultChannel[];

// The install channel encoded in the executable's file name by the download site, as in
// "Setup_abc.exe" or "Setup_abc (2).exe" (a browser's duplicate-download suffix) -> "abc".
// Anything that is not plainly letters, digits and "_" falls back to the default channel.
std::string DeriveChannelFromFileName(const std::string& exeFileName);

}  // namespace app
