#include "platform/md5.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "temp_path.h"

namespace {

using platform::Md5;
using platform::Md5Hex;

std::string Hex(const std::string& text) { return Md5Hex(text.data(), text.size()); }

TEST(Md5, MatchesTheReferenceVectors) {
  EXPECT_EQ(Hex(""), "d41d8cd98f00b204e9800998ecf8427e");
  EXPECT_EQ(Hex("a"), "0cc175b9c0f1b6a831c399e269772661");
  EXPECT_EQ(Hex("abc"), "900150983cd24fb0d6963f7d28e17f72");
  EXPECT_EQ(Hex("message digest"), "f96b697d7cb7938d525a2f31aaf161d0");
  EXPECT_EQ(Hex("abcdefghijklmnopqrstuvwxyz"), "c3fcd3d76192e4007dfb496cca67e13b");
  EXPECT_EQ(Hex("12345678901234567890123456789012345678901234567890123456789012345678901234567890"),
            "57edf4a22be3c955ac49da2e2107b67a");
}

TEST(Md5, PaddingBoundariesAndSplitUpdatesAgree) {
  // Lengths around the 56-byte padding boundary and the 64-byte block.
  for (size_t length : {55u, 56u, 57u, 63u, 64u, 65u, 119u, 120u, 1000u}) {
    std::string text(length, 'x');
    for (size_t i = 0; i < length; ++i) text[i] = static_cast<char>('a' + i * 7 % 26);
    std::string whole = Hex(text);
    for (size_t split : {size_t(1), size_t(3), size_t(63), length / 2}) {
      Md5 md5;
      for (size_t at = 0; at < length; at += split)
        md5.Update(text.data() + at, std::min(split, length - at));
      EXPECT_EQ(md5.FinishHex(), whole) << "length " << length << " split " << split;
    }
  }
  EXPECT_EQ(Hex(std::string(56, 'a')), "3b0c8ac703f828b04c6c197006d17218");
  EXPECT_EQ(Hex(std::string(64, 'a')), "014842d480b571495a4a0363793f7367");
}

TEST(FileMd5, DigestsFilesAcrossBlockBoundaries) {
  std::string path = test_support::TempPath("md5_file.bin");
  std::vector<unsigned char> bytes((1 << 20) + 17);
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<unsigned char>(i * 31 + (i >> 9));
  std::FILE* f = std::fopen(path.c_str(), "wb");
  ASSERT_NE(f, nullptr);
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
  EXPECT_EQ(platform::FileMd5(path), Md5Hex(bytes.data(), bytes.size()));
  std::remove(path.c_str());
}

TEST(FileMd5, EmptyFileAndMissingFile) {
  std::string path = test_support::TempPath("md5_empty.bin");
  std::fclose(std::fopen(path.c_str(), "wb"));
  EXPECT_EQ(platform::FileMd5(path), "d41d8cd98f00b204e9800998ecf8427e");
  std::remove(path.c_str());
  EXPECT_EQ(platform::FileMd5(path), "");
}

// The catalogue writes digests in either letter case; a file that could not be read (empty
// digest) or a prefix of the right digest must never pass for it.
TEST(DigestMatches, EitherCaseTheWholeDigestAndNothingElse) {
  const std::string digest = "d41d8cd98f00b204e9800998ecf8427e";
  EXPECT_TRUE(platform::DigestMatches(digest, "D41D8CD98F00B204E9800998ECF8427E"));
  EXPECT_TRUE(platform::DigestMatches("D41D8CD98F00B204E9800998ECF8427E", digest));
  EXPECT_FALSE(platform::DigestMatches(digest, "d41d8cd98f00b204e9800998ecf8427f"));
  EXPECT_FALSE(platform::DigestMatches("", digest));
  EXPECT_FALSE(platform::DigestMatches(digest.substr(0, 31), digest));
  EXPECT_FALSE(platform::DigestMatches(digest + "0", digest));
  // No expected digest: any file is taken, as the engines' callers decide before asking.
  EXPECT_TRUE(platform::DigestMatches("anything", ""));
}

}  // namespace
