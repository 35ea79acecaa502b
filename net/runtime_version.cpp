#include "net/runtime_version.h"

#include <cstdint>
#include <tuple>

namespace net {

namespace {

// One number of the version: at least one digit, at most 0xFFFFFFFF.
bool ReadPart(const std::string& text, size_t& at, uint32_t& out) {
  uint64_t value = 0;
  const size_t first = at;
  while (at < text.size() && text[at] >= '0' && text[at] <= '9') {
    value = value * 10 + static_cast<uint64_t>(text[at++] - '0');
    if (value > UINT32_MAX) return false;
  }
  if (at == first) return false;
  out = static_cast<uint32_t>(value);
  return true;
}

}  // namespace

bool ParseRuntimeVersion(const std::string& text, RuntimeVersion& out) {
  RuntimeVersion version;
  size_t at = 0;
  uint32_t* parts[] = {&version.major, &version.minor, &version.build};
  for (int i = 0; i < 3; ++i) {
    if (i > 0 && (at >= text.size() || text[at++] != '.')) return false;
    if (!ReadPart(text, at, *parts[i])) return false;
  }
  if (at != text.size()) return false;
  out = version;
  return true;
}

bool VersionReaches(const RuntimeVersion& have, const RuntimeVersion& want) {
  return std::tie(have.major, have.minor, have.build) >= std::tie(want.major, want.minor, want.build);
}

}  // namespace net
