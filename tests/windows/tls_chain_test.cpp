#include "net/tls_chain_win.h"

#include <gtest/gtest.h>

#include <curl/curl.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "fixture_client.h"
#include "wine_path.h"

namespace {

// The fixture's self-signed certificate (issued for localhost), read through Wine's Z: drive.
std::vector<BYTE> FixtureCertificate() {
  const char* unixPath = std::getenv("FIXTURE_TLS_CERT");
  if (!unixPath) return {};
  std::string path = test_support::WinePath(unixPath);
  std::string pem;
  if (std::FILE* f = std::fopen(path.c_str(), "rb")) {
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
  HCERTCHAINENGINE get() const { return engine_; }

 private:
  HCERTSTORE store_ = nullptr;
  HCERTCHAINENGINE engine_ = nullptr;
};

TEST(TlsChain, TrustedOnlyWithATrustedRootAndTheRightName) {
  std::vector<BYTE> certificate = FixtureCertificate();
  ASSERT_FALSE(certificate.empty());
  EngineTrusting engine(certificate);
  ASSERT_NE(engine.get(), nullptr);
  // By name: Wine's name check does not look at IP address entries.
  EXPECT_TRUE(net::ChainTrustedFor({certificate}, "localhost", engine.get()));
  EXPECT_FALSE(net::ChainTrustedFor({certificate}, "downloads.example.com", engine.get()));
  // The system does not know the fixture's certificate.
  EXPECT_FALSE(net::ChainTrustedFor({certificate}, "localhost", nullptr));
  EXPECT_FALSE(net::ChainTrustedFor({}, "localhost", engine.get()));
  std::vector<BYTE> garbage(certificate.begin(), certificate.begin() + certificate.size() / 2);
  EXPECT_FALSE(net::ChainTrustedFor({garbage}, "localhost", engine.get()));
}

size_t Discard(char*, size_t size, size_t count, void*) { return size * count; }

TEST(TlsChain, TheServersCertificateIsReadFromLibcurlsCertificateInfo) {
  CURL* curl = curl_easy_init();
  ASSERT_NE(curl, nullptr);
  std::string url = test_support::TlsFixtureUrl("/hello.txt");
  curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
  curl_easy_setopt(curl, CURLOPT_CERTINFO, 1L);
  curl_easy_setopt(curl, CURLOPT_SSL_VERIFYPEER, 0L);
  curl_easy_setopt(curl, CURLOPT_SSL_VERIFYHOST, 0L);
  curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, Discard);
  ASSERT_EQ(curl_easy_perform(curl), CURLE_OK);
  curl_certinfo* info = nullptr;
  curl_easy_getinfo(curl, CURLINFO_CERTINFO, &info);
  std::vector<std::vector<BYTE>> chain = net::ChainFromCertInfo(info);
  curl_easy_cleanup(curl);
  ASSERT_EQ(chain.size(), 1u);
  EXPECT_TRUE(chain[0] == FixtureCertificate());
}

}  // namespace
