#pragma once
#include <map>
#include <string>
#include <vector>

namespace catalogue {

// "command --key value ... positional ..." ; a flag given twice is an error, not a silent override.
struct Options {
  std::string command;
  std::map<std::string, std::string> flags;
  std::vector<std::string> positional;
  std::string error;

  std::string get(const std::string& key, const std::string& fallback = std::string()) const;
  bool has(const std::string& key) const { return flags.count(key) != 0; }
};

Options parse_options(int argc, const char* const* argv);

}  // namespace catalogue
