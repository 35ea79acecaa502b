#pragma once
#include <windows.h>
#include <wincrypt.h>

#include <string>
#include <vector>

#include "repair/publisher_check.h"

namespace repair {

// Whether the file carries an Authenticode signature that is intact (WinVerifyTrust) and one
// of the publishers':
// - its certificate table holds that one signature and nothing else (no bytes after it but
//   the alignment padding, no second entry: the MS13-098 trick), whatever the machine's
//   EnableCertPaddingCheck says;
// - the signer's common name is one publisher's name;
// - the signer's chain, built by the engine, allows code signing all the way, ends in a root
//   the engine trusts whose public key is one that publisher is pinned to, and is not revoked
//   as far as data already cached on this PC tells (nothing is fetched).
// A null engine means the machine's own: its trusted roots are the local machine's Root store
// alone, not the current user's (MachineRootChainEngine). The chain is checked here as well
// because Wine's WinVerifyTrust accepts a signature from any root. Expiry is left to
// WinVerifyTrust, which on Windows judges it by the signature's timestamp: the vendors' older
// redistributables are signed with certificates long expired.
bool SignedByListedPublisher(const std::string& path, const std::vector<TrustedPublisher>& publishers,
                             HCERTCHAINENGINE engine = nullptr);

// The same with this build's publishers and the machine's roots: what the repairs ask.
bool SignedByTrustedPublisher(const std::string& path);

// A chain engine whose only trusted roots are those of the local machine's Root store
// (CERT_SYSTEM_STORE_LOCAL_MACHINE "Root"), which only administrators can change, and which
// fetches nothing from the network. Null when it cannot be made; the caller frees it with
// CertFreeCertificateChainEngine.
HCERTCHAINENGINE MachineRootChainEngine();

// The key a root is pinned by: the SHA-256 of its DER SubjectPublicKeyInfo, lowercase hex;
// empty when the certificate does not parse.
std::string RootKeyOf(PCCERT_CONTEXT certificate);

// The flags the publisher check builds its chains with: revocation of every certificate but
// the root, from cached data only, and no other URL retrieval.
constexpr DWORD kPublisherChainFlags = CERT_CHAIN_REVOCATION_CHECK_CHAIN_EXCLUDE_ROOT |
                                       CERT_CHAIN_REVOCATION_CHECK_CACHE_ONLY |
                                       CERT_CHAIN_CACHE_ONLY_URL_RETRIEVAL |
                                       CERT_CHAIN_DISABLE_AUTH_ROOT_AUTO_UPDATE;

}  // namespace repair
