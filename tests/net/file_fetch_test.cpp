#include "net/file_fetch.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

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

long long MillisecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start)
      .count();
}

// A server that sends a byte a second never trips the stall limit: the bound on the whole
// fetch ends it, and nothing is left behind.
TEST(FetchFile, ASlowLorisEndsAtTheBoundOnTheWhole) {
  const std::string path = test_support::TempPath("loris.bin");
  const auto started = std::chrono::steady_clock::now();
  EXPECT_FALSE(net::FetchFile(test_support::FixtureUrl("/loris?bytes=60"), path, net::TransferBounds{5, 60, 2}));
  EXPECT_LT(MillisecondsSince(started), 4000);
  EXPECT_FALSE(Exists(path));
}

// The repair's page or the program going ends a fetch in hand within about a second.
TEST(FetchFile, AStopEndsTheFetchInHand) {
  const std::string path = test_support::TempPath("stopped.bin");
  std::atomic<bool> stop{false};
  std::thread stopper([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    stop = true;
  });
  const auto started = std::chrono::steady_clock::now();
  EXPECT_FALSE(net::FetchFile(test_support::FixtureUrl("/loris?bytes=60"), path, net::kRepairFileBounds,
                              [&] { return stop.load(); }));
  stopper.join();
  EXPECT_LT(MillisecondsSince(started), 2500);
  EXPECT_FALSE(Exists(path));
  // Asked to stop before it starts, it does not ask the server at all.
  test_support::ResetFixture();
  EXPECT_FALSE(net::FetchFile(test_support::FixtureUrl("/gen/10"), path, net::kRepairFileBounds, [] { return true; }));
  EXPECT_EQ(test_support::FixtureRequestCount(), 0);
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
