#pragma once
// Certificates for the Windows tests: the TLS fixture's, and chain engines that trust only a
// given root, so that an answer does not depend on what the prefix's Root store holds.
#include <windows.h>
#include <wincrypt.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "wine_path.h"

namespace test_support {

// The TLS fixture's self-signed certificate (issued for localhost), read through Wine's Z: drive.
inline std::vector<BYTE> FixtureCertificate() {
  const char* unixPath = std::getenv("FIXTURE_TLS_CERT");
  if (!unixPath) return {};
  std::string pem;
  if (std::FILE* f = std::fopen(WinePath(unixPath).c_str(), "rb")) {
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) pem.append(buffer, n);
    std::fclose(f);
  }
  DWORD size = 0;
  if (!CryptStringToBinaryA(pem.c_str(), 0, CRYPT_STRING_BASE64HEADER, nullptr, &size, nullptr, nullptr)) return {};
  std::vector<BYTE> der(size);
  CryptStringToBinaryA(pem.c_str(), 0, CRYPT_STRING_BASE64HEADER, der.data(), &size, nullptr, nullptr);
  return der;
}

// A chain engine whose only trusted root is the given certificate.
class EngineTrusting {
 public:
  explicit EngineTrusting(const std::vector<BYTE>& root) {
    store_ = CertOpenStore(CERT_STORE_PROV_MEMORY, 0, 0, 0, nullptr);
    CertAddEncodedCertificateToStore(store_, X509_ASN_ENCODING, root.data(), DWORD(root.size()),
                                     CERT_STORE_ADD_ALWAYS, nullptr);
    CERT_CHAIN_ENGINE_CONFIG config = {};
    config.cbSize = sizeof config;
    config.hExclusiveRoot = store_;
    CertCreateCertificateChainEngine(&config, &engine_);
  }
  ~EngineTrusting() {
    if (engine_) CertFreeCertificateChainEngine(engine_);
    CertCloseStore(store_, 0);
  }
  EngineTrusting(const EngineTrusting&) = delete;
  EngineTrusting& operator=(const EngineTrusting&) = delete;
  HCERTCHAINENGINE get() const { return engine_; }

 private:
  HCERTSTORE store_ = nullptr;
  HCERTCHAINENGINE engine_ = nullptr;
};

}  // namespace test_support
