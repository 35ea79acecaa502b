#include "repair/publisher_check_win.h"

#include <softpub.h>
#include <wintrust.h>

#include <algorithm>

#include "net/tls_chain_win.h"
#include "platform/text_conversion.h"

namespace repair {

namespace {

std::string CommonNameOf(PCCERT_CONTEXT certificate) {
  char oid[] = szOID_COMMON_NAME;
  wchar_t name[256] = {};
  if (CertGetNameStringW(certificate, CERT_NAME_ATTR_TYPE, 0, oid, name, 256) <= 1) return {};
  return platform::WideToUtf8(name);
}

// The chain's trust problems that are not this check's to judge: time (see the header) and
// revocation, which an offline PC cannot ask about.
constexpr DWORD kNotJudgedHere = CERT_TRUST_IS_NOT_TIME_VALID | CERT_TRUST_IS_NOT_TIME_NESTED |
                                 CERT_TRUST_CTL_IS_NOT_TIME_VALID | CERT_TRUST_REVOCATION_STATUS_UNKNOWN |
                                 CERT_TRUST_IS_OFFLINE_REVOCATION;

// Whether the signer's chain, built with the certificates the signature carries, leads to a
// root the engine trusts and allows code signing all the way.
bool ChainAnchored(PCCERT_CONTEXT signer, HCRYPTMSG message, HCERTCHAINENGINE engine) {
  HCERTSTORE carried = message ? CertOpenStore(CERT_STORE_PROV_MSG, X509_ASN_ENCODING | PKCS_7_ASN_ENCODING, 0, 0,
                                               message)
                               : nullptr;
  bool anchored = false;
  if (PCCERT_CHAIN_CONTEXT chain = net::ChainForUsage(signer, szOID_PKIX_KP_CODE_SIGNING, carried, engine)) {
    CERT_CHAIN_POLICY_PARA policy = {};
    policy.cbSize = sizeof policy;
    policy.dwFlags = CERT_CHAIN_POLICY_IGNORE_ALL_NOT_TIME_VALID_FLAGS;
    CERT_CHAIN_POLICY_STATUS status = {};
    status.cbSize = sizeof status;
    anchored = (chain->TrustStatus.dwErrorStatus & ~kNotJudgedHere) == 0 &&
               CertVerifyCertificateChainPolicy(CERT_CHAIN_POLICY_BASE, chain, &policy, &status) &&
               status.dwError == 0;
    CertFreeCertificateChain(chain);
  }
  if (carried) CertCloseStore(carried, 0);
  return anchored;
}

}  // namespace

bool SignedByListedPublisher(const std::string& path, const std::vector<std::string>& publishers,
                             HCERTCHAINENGINE engine) {
  std::wstring widePath = platform::AnsiToWide(path.c_str());
  WINTRUST_FILE_INFO file = {};
  file.cbStruct = sizeof file;
  file.pcwszFilePath = widePath.c_str();
  WINTRUST_DATA data = {};
  data.cbStruct = sizeof data;
  data.dwUIChoice = WTD_UI_NONE;
  // Revocation lists need the network, which a PC that lacks its runtimes may not have; a
  // signature is not refused for that.
  data.fdwRevocationChecks = WTD_REVOKE_NONE;
  data.dwUnionChoice = WTD_CHOICE_FILE;
  data.pFile = &file;
  data.dwStateAction = WTD_STATEACTION_VERIFY;
  data.dwProvFlags = WTD_CACHE_ONLY_URL_RETRIEVAL;
  GUID action = WINTRUST_ACTION_GENERIC_VERIFY_V2;
  const HWND noUser = static_cast<HWND>(INVALID_HANDLE_VALUE);
  bool trusted = false;
  if (WinVerifyTrust(noUser, &action, &data) == ERROR_SUCCESS) {
    CRYPT_PROVIDER_DATA* provider = WTHelperProvDataFromStateData(data.hWVTStateData);
    CRYPT_PROVIDER_SGNR* signer = provider ? WTHelperGetProvSignerFromChain(provider, 0, FALSE, 0) : nullptr;
    CRYPT_PROVIDER_CERT* certificate = signer ? WTHelperGetProvCertFromChain(signer, 0) : nullptr;
    if (certificate && certificate->pCert) {
      const std::string name = CommonNameOf(certificate->pCert);
      trusted = !name.empty() && std::find(publishers.begin(), publishers.end(), name) != publishers.end() &&
                ChainAnchored(certificate->pCert, provider->hMsg, engine);
    }
  }
  data.dwStateAction = WTD_STATEACTION_CLOSE;
  WinVerifyTrust(noUser, &action, &data);
  return trusted;
}

bool SignedByTrustedPublisher(const std::string& path) { return SignedByListedPublisher(path, TrustedPublishers()); }

}  // namespace repair
