#pragma once
#include <windows.h>
#include <wincrypt.h>

#include <string>
#include <vector>

typedef struct curl_certinfo curl_certinfo;

namespace net {

// The DER certificates of libcurl's certificate info, the server's own first.
std::vector<std::vector<BYTE>> ChainFromCertInfo(const curl_certinfo* info);

// The certificate's chain for one usage (an OID such as szOID_PKIX_KP_SERVER_AUTH), built with
// the extra certificates (may be null) as intermediates; only the engine's roots can anchor it
// (a null engine is the system's default one), with CertGetCertificateChain's flags (such as
// revocation checking). Null when none could be built; the caller frees it with
// CertFreeCertificateChain.
PCCERT_CHAIN_CONTEXT ChainForUsage(PCCERT_CONTEXT certificate, const char* usage, HCERTSTORE extra,
                                   HCERTCHAINENGINE engine, DWORD flags = 0);

// Whether the chain (server certificate first, then what the server sent along) leads to a
// root the engine trusts and names host. A null engine is the system's default one.
bool ChainTrustedFor(const std::vector<std::vector<BYTE>>& chain, const std::string& host,
                     HCERTCHAINENGINE engine);

}  // namespace net
