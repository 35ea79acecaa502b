#pragma once
#include <vector>

#include "net/signed_catalogue.h"

namespace net {

// The catalogue keys this build was made with (TESSA_CATALOGUE_KEYS); empty for a build that
// takes its catalogue unsigned.
const std::vector<CataloguePublicKey>& EmbeddedCatalogueKeys();

}  // namespace net
