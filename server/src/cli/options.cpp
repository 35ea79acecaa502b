#include "cli/options.h"

namespace catalogue {

std::string Options::get(const std::string& key, const std::string& fallback) const {
  auto it = flags.find(key);
  return it == flags.end() ? fallback : it->second;
}

Options parse_options(int argc, const char* const* argv) {
  Options o;
  if (argc < 2) {
    o.error = "no command given";
    return o;
  }
  o.command = argv[1];
  for (int i = 2; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg.rfind("--", 0) != 0) {
      o.positional.push_back(arg);
      continue;
    }
    std::string key = arg.substr(2);
    if (i + 1 >= argc) {
      o.error = "option " + arg + " needs a value";
      return o;
    }
    if (!o.flags.emplace(key, argv[++i]).second) {
      o.error = "option " + arg + " given twice";
      return o;
    }
  }
  return o;
}

}  // namespace catalogue
