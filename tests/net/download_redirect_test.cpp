// The repairs' downloads over https, redirected: from https to https they arrive, from https
// to plain http they are refused and nothing is left. The certificate is checked against the
// system's roots, so for this process the fixture's certificate is put into the machine's Root
// store and taken out again (a process of its own: other tests must see it untrusted).
#include <windows.h>
#include <wincrypt.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "certificate_support.h"
#include "fixture_client.h"
#include "net/file_fetch.h"
#include "platform/files_and_folders.h"
#include "temp_path.h"
#include "wine_path.h"

namespace {

class TrustedWhileAlive {
 public:
  explicit TrustedWhileAlive(const std::vector<BYTE>& der) {
    root_ = CertOpenStore(CERT_STORE_PROV_SYSTEM_A, 0, 0, CERT_SYSTEM_STORE_LOCAL_MACHINE, "Root");
    if (root_ && !der.empty())
      CertAddEncodedCertificateToStore(root_, X509_ASN_ENCODING, der.data(), DWORD(der.size()),
                                       CERT_STORE_ADD_REPLACE_EXISTING, &added_);
    // Wine writes a registry store back only when told or closed; the chain engine opens its
    // own copy of the Root store.
    if (added_) CertControlStore(root_, 0, CERT_STORE_CTRL_COMMIT, nullptr);
  }
  ~TrustedWhileAlive() {
    if (added_) CertDeleteCertificateFromStore(added_);  // frees the context as well
    if (root_) CertCloseStore(root_, 0);
  }
  bool ok() const { return added_ != nullptr; }

 private:
  HCERTSTORE root_ = nullptr;
  PCCERT_CONTEXT added_ = nullptr;
};

// By name: Wine's name check does not look at the certificate's IP address entries.
std::string TlsUrl(const std::string& path) { return "https://localhost:" + std::string(std::getenv("FIXTURE_TLS_PORT")) + path; }

// That the same server is refused while its certificate is not trusted is FetchFile's test in
// tests/net (a chain engine keeps the Root store it first read, so not in this process).
TEST(RepairDownloadRedirects, HttpsMayLeadToHttpsButNeverToHttp) {
  TrustedWhileAlive trusted(test_support::FixtureCertificate());
  ASSERT_TRUE(trusted.ok());
  const std::string folder = test_support::TempPath("redirects") + "\\";
  ASSERT_TRUE(platform::EnsureFolder(folder));

  // The certificate is trusted now: the direct download and one that stays on https arrive.
  ASSERT_TRUE(net::FetchFile(TlsUrl("/hello.txt"), folder + "direct.txt"));
  EXPECT_EQ(test_support::ReadWholeFile(folder + "direct.txt"), "hello over tls\n");
  EXPECT_TRUE(net::FetchFile(TlsUrl("/to-https/hello.txt"), folder + "https.txt"));
  EXPECT_EQ(test_support::ReadWholeFile(folder + "https.txt"), "hello over tls\n");

  // The plain server has a file of that name; reached directly over http it arrives.
  std::FILE* plain = std::fopen(test_support::WinePath(std::string(std::getenv("FIXTURE_FILES")) + "/plain.txt").c_str(), "wb");
  ASSERT_NE(plain, nullptr);
  std::fputs("swapped on the way\n", plain);
  std::fclose(plain);
  ASSERT_TRUE(net::FetchFile(test_support::FixtureUrl("/files/plain.txt"), folder + "plain.txt"));
  const std::string toHttp = "/to-http/" + std::string(std::getenv("FIXTURE_PORT")) + "/plain.txt";
  test_support::ResetFixture();
  EXPECT_FALSE(net::FetchFile(TlsUrl(toHttp), folder + "downgraded.txt"));
  EXPECT_FALSE(platform::FileExists(folder + "downgraded.txt"));
  EXPECT_EQ(test_support::FixtureRequestCount(), 0);  // the plain server was never asked
}

}  // namespace
