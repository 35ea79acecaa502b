#include "catalogue_rules/installer_switches.h"

#include <cstring>

namespace net {

namespace {

// /q, /qb and /qn: the 2005 and 2008 packages and the .NET Framework 2.0 to 3.5 set-ups;
// /quiet, /passive, /norestart, /install and /repair: the 2010 to 2022 packages and .NET 4.x;
// /silent: DirectX's DXSETUP.exe.
const char* const kVocabulary[] = {"/q",      "/qb",        "/qn",      "/quiet",  "/passive",
                                   "/norestart", "/install", "/repair", "/silent", nullptr};

bool InVocabulary(const std::string& token) {
  for (const char* const* word = kVocabulary; *word; ++word) {
    if (token.size() != std::strlen(*word)) continue;
    bool same = true;
    for (size_t i = 0; i < token.size() && same; ++i) {
      char c = token[i];
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
      same = c == (*word)[i];
    }
    if (same) return true;
  }
  return false;
}

}  // namespace

const char* const* InstallerSwitchVocabulary() { return kVocabulary; }

bool SwitchesFromVocabulary(const std::string& switches) {
  if (switches.empty()) return true;
  size_t start = 0;
  while (true) {
    const size_t space = switches.find(' ', start);
    const std::string token = switches.substr(start, space == std::string::npos ? std::string::npos : space - start);
    // An empty token is a doubled, leading or trailing space: not a form any installer needs.
    if (token.empty() || !InVocabulary(token)) return false;
    if (space == std::string::npos) return true;
    start = space + 1;
  }
}

}  // namespace net
