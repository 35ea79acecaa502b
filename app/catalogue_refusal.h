#pragma once
#include "net/signed_catalogue.h"

namespace app {

// The prompt's title and the one sentence that tells the user why no repair runs this time.
extern const wchar_t kCatalogueRefusedTitle[];
const wchar_t* CatalogueRefusalSentence(net::DocumentVerdict why);

}  // namespace app
