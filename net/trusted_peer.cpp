#include "net/trusted_peer.h"

#include <cstring>

#include "net/tls_peer_check.h"

namespace net {
namespace {

// Every response's status line passes here first; a connection whose peer is not trusted
// ends the transfer before a byte of its body is taken.
size_t CheckEachResponse(char* data, size_t size, size_t count, void* curl) {
  size_t bytes = size * count;
  if (bytes >= 5 && std::memcmp(data, "HTTP/", 5) == 0 && !TlsPeerTrusted(static_cast<CURL*>(curl))) return 0;
  return bytes;
}

}  // namespace

CURLcode RequireTrustedPeer(CURL* curl) {
  CURLcode result = CURLE_OK;
  auto set = [&](CURLoption option, auto value) {
    if (result == CURLE_OK) result = curl_easy_setopt(curl, option, value);
  };
  set(CURLOPT_SSL_VERIFYPEER, 1L);
  set(CURLOPT_SSL_VERIFYHOST, 2L);
  set(CURLOPT_SSL_OPTIONS, static_cast<long>(CURLSSLOPT_REVOKE_BEST_EFFORT));
  set(CURLOPT_HEADERFUNCTION, CheckEachResponse);
  set(CURLOPT_HEADERDATA, static_cast<void*>(curl));
  if (result == CURLE_OK) PrepareTlsPeerCheck(curl);
  return result;
}

}  // namespace net
