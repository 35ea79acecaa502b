#include <gtest/gtest.h>

#include <climits>

#include "platform/path_text.h"
#include "platform/text_number.h"

namespace {

using namespace platform;

TEST(TextToInt, FollowsTheCLibraryRules) {
  EXPECT_EQ(TextToInt("200"), 200);
  EXPECT_EQ(TextToInt("  \t\n200abc"), 200);
  EXPECT_EQ(TextToInt("+7"), 7);
  EXPECT_EQ(TextToInt("-1"), -1);
  EXPECT_EQ(TextToInt("abc"), 0);
  EXPECT_EQ(TextToInt(""), 0);
  EXPECT_EQ(TextToInt("- 5"), 0);
  EXPECT_EQ(TextToInt("20 0"), 20);
}

TEST(TextToInt, SaturatesInsteadOfOverflowing) {
  EXPECT_EQ(TextToInt("2147483647"), INT_MAX);
  EXPECT_EQ(TextToInt("2147483648"), INT_MAX);
  EXPECT_EQ(TextToInt("-2147483648"), INT_MIN);
  EXPECT_EQ(TextToInt("99999999999999999999999999"), INT_MAX);
  EXPECT_EQ(TextToInt("-99999999999999999999999999"), INT_MIN);
}

TEST(IntToText, IsPlainDecimal) {
  EXPECT_EQ(IntToText(7), "7");
  EXPECT_EQ(IntToText(-1), "-1");
  EXPECT_EQ(IntToText(INT_MIN), "-2147483648");
}

TEST(PathText, SplitsAtTheLastBackslash) {
  EXPECT_EQ(FolderOfPath("C:\\Program Files\\Tool\\a.exe"), "C:\\Program Files\\Tool");
  EXPECT_EQ(FileNameOfPath("C:\\Program Files\\Tool\\a.exe"), "a.exe");
  EXPECT_EQ(FolderOfPath("a.exe"), "a.exe");
  EXPECT_EQ(FileNameOfPath("a.exe"), "a.exe");
  EXPECT_EQ(FileNameOfPath("C:\\dir\\"), "");
}

TEST(PathText, JoinsWithExactlyOneBackslash) {
  EXPECT_EQ(JoinPath("C:\\a", "b.png"), "C:\\a\\b.png");
  EXPECT_EQ(JoinPath("C:\\a\\", "b.png"), "C:\\a\\b.png");
  EXPECT_EQ(JoinPath("", "b.png"), "b.png");
}

TEST(UrlPieces, LastSegmentAndExtension) {
  EXPECT_EQ(LastUrlSegment("http://h/files/vc_redist.x86.exe"), "vc_redist.x86.exe");
  EXPECT_EQ(LastUrlSegment("http://h/a\\b\\c.dll"), "c.dll");
  EXPECT_EQ(LastUrlSegment("http://h/files/setup.exe?sig=1/2"), "setup.exe");
  EXPECT_EQ(UrlExtension("http://h/img/12.png"), ".png");
  EXPECT_EQ(UrlExtension("http://h/img/archive.tar.gz"), ".gz");
  // A dot in the host or an earlier segment is not the file's extension.
  EXPECT_EQ(UrlExtension("http://img.example.com/pics/12"), "");
  EXPECT_EQ(UrlExtension("http://h/v1.2/icon"), "");
  EXPECT_EQ(UrlExtension("http://h/icon.jpg#top"), ".jpg");
}

}  // namespace
