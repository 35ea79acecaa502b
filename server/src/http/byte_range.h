#pragma once
#include <cstdint>
#include <string>

namespace catalogue {

struct ByteRange {
  enum Kind { whole, part, unsatisfiable } kind = whole;
  uint64_t first = 0;
  uint64_t last = 0;  // inclusive
};

// Reads a Range header for a file of `size` bytes. Only one range is served: a header that
// asks for several, or that cannot be read, gets the whole file, as HTTP allows.
ByteRange parse_byte_range(const std::string& header, uint64_t size);

}  // namespace catalogue
