#pragma once
#include <cstdint>
#include <string>

namespace app {

// The newest signed catalogue version this PC has accepted from the server at baseUrl, kept in
// HKEY_LOCAL_MACHINE (only administrators can write there; the program runs as one), so that
// nobody can replay an older document to this PC, not even after a restart. 0 when none is kept.
uint64_t ReadCatalogueVersionFloor(const std::string& baseUrl);
bool WriteCatalogueVersionFloor(const std::string& baseUrl, uint64_t version);

}  // namespace app
