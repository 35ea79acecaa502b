#pragma once
#include <string>

#include "net/catalogue_parser.h"
#include "net/signed_catalogue.h"
#include "page_machinery/app_state.h"

namespace app {

// Parses one reply of kind 0, 3, 4, 5, 8 or 15 and, when it is accepted, replaces the list or
// user record that the kind names, whole. Anything else leaves the state untouched. On 32-bit
// Windows (state.system64Bit false) the runtime list is stored without its 64-bit packages
// (systemBit 1), which could neither install nor ever be found there.
//
// In a build that checks the catalogue's signature (trust.required), a list keeps only the
// entries the signed document covers, each with the document's SHA-256 and size of its file,
// and the common list's links are the document's; without an accepted document no list is
// stored at all (kNotAccepted).
struct ListTrust {
  bool required = false;
  const net::SignedCatalogue* document = nullptr;
};
net::ReplyStatus StoreReply(AppState& state, int kind, const std::string& body,
                            const net::DisplayTextConverter& convert, const ListTrust& trust = ListTrust());

}  // namespace app
