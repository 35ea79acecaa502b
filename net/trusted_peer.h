#pragma once
#include <curl/curl.h>

namespace net {

// Sets a transfer up so that it goes on only with a server whose certificate chain is trusted
// and issued for the host (plain http passes): libcurl's own checks, stated so that nobody
// switches them off, revocation where its servers answer, and the program's own chain check
// on every response's status line. Installs a header callback; the transfer may not set its
// own. Returns the first option that could not be set, or CURLE_OK.
CURLcode RequireTrustedPeer(CURL* curl);

}  // namespace net
