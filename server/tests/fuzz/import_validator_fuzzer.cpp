// Any bytes an operator might feed the import: the validator must answer, never crash, and
// never accept what it then fails to describe.
#include <cstddef>
#include <cstdint>
#include <string>

#include "catalogue/import_validator.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  catalogue::ImportResult r = catalogue::validate_import(text);
  if (r.ok() != r.errors.empty() || r.catalogue.entries.size() != r.lines.size()) __builtin_trap();
  if (!r.ok() && !r.catalogue.entries.empty()) __builtin_trap();
  return 0;
}
