#include "app/channel.h"

namespace app {

const char kDefaultChannel[] = "guanwang";

namespace {

std::string Candidate(const std::string& name) {
  size_t underscore = name.rfind('_');
  // ".exe" is matched case-sensitively: installers are published with that spelling.
  if (underscore == std::string::npos || name.find(".exe") == std::string::npos) return {};
  size_t start = underscore + 1;
  if (name.size() < 4 || start > name.size() - 4) return {};
  std::string candidate = name.substr(start, name.size() - 4 - start);
  size_t paren = candidate.find('(');
  if (paren != std::string::npos) {
    candidate.erase(paren);
    size_t first = candidate.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    candidate = candidate.substr(first, candidate.find_last_not_of(' ') - first + 1);
  }
  return candidate;
}

bool IsChannelCharacter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

}  // namespace

std::string DeriveChannelFromFileName(const std::string& exeFileName) {
  std::string candidate = Candidate(exeFileName);
  if (candidate.empty()) return kDefaultChannel;
  for (char c : candidate)
    if (!IsChannelCharacter(c)) return kDefaultChannel;
  return candidate;
}

}  // namespace app
