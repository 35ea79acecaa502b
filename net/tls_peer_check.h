#pragma once

typedef void CURL;

namespace net {

// Asked once per response, when its status line arrives: for an https connection, is the
// server's certificate chain trusted and issued for the host? Plain http passes.
//
// libcurl's Schannel back end leaves this check to Schannel itself, and Wine's Schannel does
// not make it, so on Windows the program checks the chain it was shown against the system's
// certificate store on its own. libcurl with OpenSSL (the native build) checks it already.
bool TlsPeerTrusted(CURL* curl);

// Options the check needs on the handle before the transfer (the certificate chain is only
// collected when asked for).
void PrepareTlsPeerCheck(CURL* curl);

}  // namespace net
