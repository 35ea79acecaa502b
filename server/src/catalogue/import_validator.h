#pragma once
#include <string>
#include <vector>

#include "catalogue/entry.h"

namespace catalogue {

struct ImportResult {
  Catalogue catalogue;
  std::vector<int> lines;           // source line of each entry of catalogue.entries
  std::vector<std::string> errors;  // "line 12: runtime[3]: ..." ; empty when the file is good
  bool ok() const { return errors.empty(); }
};

// Checks an import file against the shapes the program reads and builds the catalogue from it.
// Keys starting with "_" are comments and ignored; any other unknown key is an error, because
// a misspelt key would otherwise silently reach the program as a missing one.
ImportResult validate_import(const std::string& text);

}  // namespace catalogue
