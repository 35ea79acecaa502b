#include "net/tls_chain_win.h"

#include <gtest/gtest.h>

#include <curl/curl.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "certificate_support.h"
#include "fixture_client.h"
#include "wine_path.h"

namespace {

using test_support::EngineTrusting;
using test_support::FixtureCertificate;

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
