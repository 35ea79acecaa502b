#include "net/tls_peer_check.h"

#include <windows.h>
#include <wincrypt.h>
#include <curl/curl.h>

#include <cstring>
#include <string>
#include <vector>

#include "net/tls_chain_win.h"

namespace net {

namespace {

std::string HostOf(const char* url) {
  std::string text = url ? url : "";
  size_t start = text.find("://");
  start = start == std::string::npos ? 0 : start + 3;
  size_t end = text.find_first_of(":/?#", start);
  return text.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

}  // namespace

// The "Cert:" entries of libcurl's certificate info are PEM texts.
std::vector<std::vector<BYTE>> ChainFromCertInfo(const curl_certinfo* info) {
  std::vector<std::vector<BYTE>> chain;
  for (int i = 0; info && i < info->num_of_certs; ++i) {
    for (curl_slist* field = info->certinfo[i]; field; field = field->next) {
      if (std::strncmp(field->data, "Cert:", 5) != 0) continue;
      const char* pem = field->data + 5;
      DWORD size = 0;
      if (!CryptStringToBinaryA(pem, 0, CRYPT_STRING_BASE64HEADER, nullptr, &size, nullptr, nullptr)) continue;
      std::vector<BYTE> der(size);
      if (CryptStringToBinaryA(pem, 0, CRYPT_STRING_BASE64HEADER, der.data(), &size, nullptr, nullptr))
        chain.push_back(std::move(der));
    }
  }
  return chain;
}

PCCERT_CHAIN_CONTEXT ChainForUsage(PCCERT_CONTEXT certificate, const char* usage, HCERTSTORE extra,
                                   HCERTCHAINENGINE engine, DWORD flags) {
  LPSTR usages[] = {const_cast<LPSTR>(usage)};
  CERT_CHAIN_PARA chainPara = {};
  chainPara.cbSize = sizeof chainPara;
  chainPara.RequestedUsage.dwType = USAGE_MATCH_TYPE_AND;
  chainPara.RequestedUsage.Usage.cUsageIdentifier = 1;
  chainPara.RequestedUsage.Usage.rgpszUsageIdentifier = usages;
  PCCERT_CHAIN_CONTEXT chain = nullptr;
  if (!CertGetCertificateChain(engine, certificate, nullptr, extra, &chainPara, flags, nullptr, &chain))
    return nullptr;
  return chain;
}

bool ChainTrustedFor(const std::vector<std::vector<BYTE>>& chain, const std::string& host,
                     HCERTCHAINENGINE engine) {
  if (chain.empty()) return false;
  const DWORD encoding = X509_ASN_ENCODING | PKCS_7_ASN_ENCODING;
  PCCERT_CONTEXT leaf = CertCreateCertificateContext(encoding, chain[0].data(), static_cast<DWORD>(chain[0].size()));
  if (!leaf) return false;
  // The intermediates the server sent help build the chain; only the engine's roots can
  // anchor it.
  HCERTSTORE sent = CertOpenStore(CERT_STORE_PROV_MEMORY, 0, 0, 0, nullptr);
  for (size_t i = 1; sent && i < chain.size(); ++i)
    CertAddEncodedCertificateToStore(sent, encoding, chain[i].data(), static_cast<DWORD>(chain[i].size()),
                                     CERT_STORE_ADD_ALWAYS, nullptr);
  bool trusted = false;
  if (PCCERT_CHAIN_CONTEXT chainContext = ChainForUsage(leaf, szOID_PKIX_KP_SERVER_AUTH, sent, engine)) {
    std::wstring wideHost(host.begin(), host.end());  // host names in URLs are ASCII
    SSL_EXTRA_CERT_CHAIN_POLICY_PARA ssl = {};
    ssl.cbSize = sizeof ssl;
    ssl.dwAuthType = AUTHTYPE_SERVER;
    ssl.pwszServerName = &wideHost[0];
    CERT_CHAIN_POLICY_PARA policy = {};
    policy.cbSize = sizeof policy;
    policy.pvExtraPolicyPara = &ssl;
    CERT_CHAIN_POLICY_STATUS status = {};
    status.cbSize = sizeof status;
    trusted = CertVerifyCertificateChainPolicy(CERT_CHAIN_POLICY_SSL, chainContext, &policy, &status) &&
              status.dwError == 0;
    CertFreeCertificateChain(chainContext);
  }
  if (sent) CertCloseStore(sent, 0);
  CertFreeCertificateContext(leaf);
  return trusted;
}

void PrepareTlsPeerCheck(CURL* curl) { curl_easy_setopt(curl, CURLOPT_CERTINFO, 1L); }

bool TlsPeerTrusted(CURL* curl) {
  char* scheme = nullptr;
  if (curl_easy_getinfo(curl, CURLINFO_SCHEME, &scheme) != CURLE_OK || !scheme) return false;
  if (lstrcmpiA(scheme, "https") != 0) return true;
  curl_certinfo* info = nullptr;
  char* url = nullptr;
  curl_easy_getinfo(curl, CURLINFO_CERTINFO, &info);
  curl_easy_getinfo(curl, CURLINFO_EFFECTIVE_URL, &url);
  return ChainTrustedFor(ChainFromCertInfo(info), HostOf(url), nullptr);
}

}  // namespace net
