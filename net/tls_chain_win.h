#pragma once
#include <windows.h>
#include <wincrypt.h>

#include <string>
#include <vector>

typedef struct curl_certinfo curl_certinfo;

namespace net {

// The DER certificates of libcurl's certificate info, the server's own first.
std::vector<std::vector<BYTE>> ChainFromCertInfo(const curl_certinfo* info);

// Whether the chain (server certificate first, then what the server sent along) leads to a
// root the engine trusts and names host. A null engine is the system's default one.
bool ChainTrustedFor(const std::vector<std::vector<BYTE>>& chain, const std::string& host,
                     HCERTCHAINENGINE engine);

}  // namespace net
