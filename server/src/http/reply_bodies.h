#pragma once
#include <array>
#include <string>

#include "catalogue/entry.h"

namespace catalogue {

// The serialised reply of each list (indexed by ListKind), with addresses on this server made
// absolute under `public_base`. Every channel gets the same replies: the channel is only
// checked for shape, so one body per list serves them all.
std::array<std::string, 4> build_reply_bodies(const Catalogue& catalogue, const std::string& public_base);

}  // namespace catalogue
