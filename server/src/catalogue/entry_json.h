#pragma once
#include <nlohmann/json.hpp>
#include <string>

#include "catalogue/entry.h"

namespace catalogue {

// An address that starts with "/" names a file or page on this server; the catalogue stores it
// so, and replies carry it under the server's public base address. Export passes an empty base.
std::string resolve_url(const std::string& url, const std::string& public_base);

// The entry in the shape its list has on the wire (and in import files).
nlohmann::json entry_to_json(const Entry& e, const std::string& public_base);
// The entry as an import file holds it: the wire shape, unresolved, plus the import-only keys.
nlohmann::json entry_to_file_json(const Entry& e);

}  // namespace catalogue
