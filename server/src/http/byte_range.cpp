#include "http/byte_range.h"

#include <optional>

namespace catalogue {
namespace {

std::optional<uint64_t> read_number(const std::string& s) {
  if (s.empty() || s.size() > 19) return std::nullopt;
  uint64_t v = 0;
  for (char c : s) {
    if (c < '0' || c > '9') return std::nullopt;
    v = v * 10 + static_cast<uint64_t>(c - '0');
  }
  return v;
}

}  // namespace

ByteRange parse_byte_range(const std::string& header, uint64_t size) {
  ByteRange whole;
  const std::string unit = "bytes=";
  if (header.rfind(unit, 0) != 0) return whole;
  std::string range_set = header.substr(unit.size());
  if (range_set.find(',') != std::string::npos) return whole;
  size_t dash = range_set.find('-');
  if (dash == std::string::npos) return whole;
  std::string head = range_set.substr(0, dash);
  std::optional<uint64_t> a = read_number(head);
  std::optional<uint64_t> b = read_number(range_set.substr(dash + 1));
  ByteRange r;
  r.kind = ByteRange::part;
  if (head.empty() && b) {  // suffix: the last b bytes
    if (*b == 0 || size == 0) return ByteRange{ByteRange::unsatisfiable, 0, 0};
    r.first = *b >= size ? 0 : size - *b;
    r.last = size - 1;
    return r;
  }
  if (!a || (b && *b < *a) || (!b && dash + 1 != range_set.size())) return whole;
  if (*a >= size) return ByteRange{ByteRange::unsatisfiable, 0, 0};
  r.first = *a;
  r.last = (b && *b < size) ? *b : size - 1;
  return r;
}

}  // namespace catalogue
