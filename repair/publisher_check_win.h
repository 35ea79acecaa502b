#pragma once
#include <windows.h>
#include <wincrypt.h>

#include <string>
#include <vector>

#include "repair/publisher_check.h"

namespace repair {

// Whether the file carries an Authenticode signature that is intact (WinVerifyTrust), whose
// signer's common name is one of the publishers, and whose signer chain leads to a root the
// engine trusts (a null engine is the system's default one, with the machine's Root store).
// The chain is checked here as well because Wine's WinVerifyTrust accepts a signature from
// any root. Expiry is left to WinVerifyTrust, which on Windows judges it by the signature's
// timestamp: the vendors' older redistributables are signed with certificates long expired.
bool SignedByListedPublisher(const std::string& path, const std::vector<std::string>& publishers,
                             HCERTCHAINENGINE engine = nullptr);

// The same with this build's publishers and the system's roots: what the repairs ask.
bool SignedByTrustedPublisher(const std::string& path);

}  // namespace repair
