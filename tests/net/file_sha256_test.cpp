#include "net/file_sha256.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "temp_path.h"

namespace {

// SHA-256 of "abc" (FIPS 180-2, appendix B.1).
const char kAbc[] = "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad";

TEST(FileSha256, OnlyTheExactFileMatches) {
  const std::string path = test_support::TempPath("sha256-abc");
  std::ofstream(path, std::ios::binary) << "abc";
  std::string sha;
  uint64_t size = 0;
  ASSERT_TRUE(net::FileSha256AndSize(path, sha, size));
  EXPECT_EQ(sha, kAbc);
  EXPECT_EQ(size, 3u);
  EXPECT_TRUE(net::FileMatchesSignedDigest(path, kAbc, 3));
  EXPECT_FALSE(net::FileMatchesSignedDigest(path, kAbc, 4));
  EXPECT_FALSE(net::FileMatchesSignedDigest(path, std::string(kAbc).replace(63, 1, "e"), 3));
  EXPECT_FALSE(net::FileMatchesSignedDigest(path, "", 3));
  // The named bytes and more: refused, and not read past the named size.
  std::ofstream(path, std::ios::binary | std::ios::app) << "d";
  EXPECT_FALSE(net::FileMatchesSignedDigest(path, kAbc, 3));
  std::remove(path.c_str());
  EXPECT_FALSE(net::FileMatchesSignedDigest(path, kAbc, 3));
  EXPECT_FALSE(net::FileSha256AndSize(path, sha, size));
}

}  // namespace
