#include "net/file_fetch.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "fixture_client.h"
#include "fixture_content.h"
#include "temp_path.h"

namespace {

bool Exists(const std::string& path) {
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (f) std::fclose(f);
  return f != nullptr;
}

TEST(FetchFile, TheWholeBodyReplacesWhatWasThere) {
  const std::string path = test_support::TempPath("fetched.bin");
  std::FILE* old = std::fopen(path.c_str(), "wb");
  ASSERT_NE(old, nullptr);
  std::fputs(std::string(300000, 'o').c_str(), old);
  std::fclose(old);
  ASSERT_TRUE(net::FetchFile(test_support::FixtureUrl("/gen/100000"), path));
  const std::string body = test_support::ReadWholeFile(path);
  ASSERT_EQ(body.size(), 100000u);
  for (size_t i = 0; i < body.size(); i += 9973)
    EXPECT_EQ(static_cast<unsigned char>(body[i]), fixture::GeneratedByte(static_cast<long long>(i))) << i;
}

// An error page is no installer; a failed fetch leaves nothing behind to be taken for one.
TEST(FetchFile, FailuresLeaveNoFile) {
  const std::string path = test_support::TempPath("failed.bin");
  for (const char* where : {"/files/absent.exe", "/status500"}) {
    std::FILE* old = std::fopen(path.c_str(), "wb");
    ASSERT_NE(old, nullptr);
    std::fclose(old);
    EXPECT_FALSE(net::FetchFile(test_support::FixtureUrl(where), path)) << where;
    EXPECT_FALSE(Exists(path)) << where;
  }
  EXPECT_FALSE(net::FetchFile("file:///etc/passwd", path));
  EXPECT_FALSE(net::FetchFile("ftp://127.0.0.1/x.exe", path));
  EXPECT_FALSE(Exists(path));
  EXPECT_FALSE(net::FetchFile(test_support::FixtureUrl("/gen/10"), test_support::TempPath("no-such-folder") + "/x/y.bin"));
}

TEST(FetchFile, AnUntrustedCertificateIsRefused) {
  std::string body;
  // The TLS server is up and serves the file to a client that skips the checks ...
  ASSERT_TRUE(test_support::FetchDirect(test_support::TlsFixtureUrl("/hello.txt"), body, true));
  ASSERT_EQ(body, "hello over tls\n");
  // ... but not to the repairs' fetch.
  const std::string path = test_support::TempPath("untrusted.txt");
  EXPECT_FALSE(net::FetchFile(test_support::TlsFixtureUrl("/hello.txt"), path));
  EXPECT_FALSE(Exists(path));
}

}  // namespace
