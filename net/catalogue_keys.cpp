#include "net/catalogue_keys.h"

#include "generated/catalogue_keys_list.h"

namespace net {

const std::vector<CataloguePublicKey>& EmbeddedCatalogueKeys() {
  static const std::vector<CataloguePublicKey> keys = [] {
    std::vector<CataloguePublicKey> parsed;
    for (const char* hex : {TESSA_CATALOGUE_KEY_HEX static_cast<const char*>(nullptr)}) {
      CataloguePublicKey key{};
      if (hex && ParseCataloguePublicKey(hex, key)) parsed.push_back(key);
    }
    return parsed;
  }();
  return keys;
}

}  // namespace net
