#include "ui/ascii_case.h"

#include <gtest/gtest.h>

namespace DuiLib {
namespace {

TEST(AsciiCase, FoldsOnlyAsciiLetters) {
  EXPECT_TRUE(EqualsIgnoringAsciiCase("RundllWindow.xml", "RunDllWindow.XML"));
  EXPECT_FALSE(EqualsIgnoringAsciiCase("RundllWindow.xml", "RundllWindow.xm"));
  EXPECT_FALSE(EqualsIgnoringAsciiCase("a[", "A{"));  // '[' and '{' differ by 0x20 too
  // É (C3 89) and é (C3 A9): the second bytes differ by 0x20 but are not letters.
  EXPECT_FALSE(EqualsIgnoringAsciiCase("\xC3\x89", "\xC3\xA9"));
  EXPECT_EQ(ToLowerAscii("Font.XML \xC3\x89"), "font.xml \xC3\x89");
}

}  // namespace
}  // namespace DuiLib
