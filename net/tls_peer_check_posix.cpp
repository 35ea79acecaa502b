#include "net/tls_peer_check.h"

namespace net {

bool TlsPeerTrusted(CURL*) { return true; }
void PrepareTlsPeerCheck(CURL*) {}

}  // namespace net
