#include "http/etag_match.h"

namespace catalogue {
namespace {

std::string opaque(std::string tag) {
  if (tag.rfind("W/", 0) == 0) tag.erase(0, 2);
  return tag;
}

}  // namespace

bool if_none_match_names(const std::string& header, const std::string& etag) {
  const std::string wanted = opaque(etag);
  size_t start = 0;
  while (start <= header.size()) {
    size_t comma = header.find(',', start);
    if (comma == std::string::npos) comma = header.size();
    size_t first = header.find_first_not_of(" \t", start);
    size_t last = header.find_last_not_of(" \t", comma == 0 ? 0 : comma - 1);
    if (first != std::string::npos && first < comma && last != std::string::npos && last >= first) {
      std::string tag = header.substr(first, last - first + 1);
      if (tag == "*" || opaque(tag) == wanted) return true;
    }
    start = comma + 1;
  }
  return false;
}

}  // namespace catalogue
