#pragma once
// Parses JSON and remembers on which line every object and array began, so that an import
// error can point the operator at the line to fix.
#include <map>
#include <nlohmann/json.hpp>
#include <string>

namespace catalogue {

struct ParsedJson {
  nlohmann::json value;
  std::map<std::string, int> lines;  // JSON pointer ("/runtime/3") -> 1-based line
  std::string error;                 // empty when the text parsed
};

ParsedJson parse_with_lines(const std::string& text);

}  // namespace catalogue
