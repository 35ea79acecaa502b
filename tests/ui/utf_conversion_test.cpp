#include "ui/utf_conversion.h"

#include <gtest/gtest.h>

namespace DuiLib {
namespace {

TEST(Utf8ToUtf16, ConvertsAsciiChineseAndAstralCharacters) {
  EXPECT_EQ(Utf8ToUtf16("<back"), u"<back");
  EXPECT_EQ(Utf8ToUtf16("<返回"), u"<\u8FD4\u56DE");
  EXPECT_EQ(Utf8ToUtf16("line1\r\nline2"), u"line1\r\nline2");
  // U+1F600 needs a surrogate pair.
  EXPECT_EQ(Utf8ToUtf16("\xF0\x9F\x98\x80"), std::u16string({0xD83D, 0xDE00}));
  EXPECT_EQ(Utf8ToUtf16(""), u"");
}

TEST(Utf8ToUtf16, ReplacesMalformedSequencesAndResynchronises) {
  EXPECT_EQ(Utf8ToUtf16("a\x80z"), u"a\uFFFDz");           // stray continuation
  EXPECT_EQ(Utf8ToUtf16("\xC0\xAF"), u"\uFFFD\uFFFD");     // overlong '/'
  EXPECT_EQ(Utf8ToUtf16("\xED\xA0\x80"), u"\uFFFD\uFFFD\uFFFD");  // encoded surrogate
  EXPECT_EQ(Utf8ToUtf16("\xF4\x90\x80\x80"), u"\uFFFD\uFFFD\uFFFD\uFFFD");  // > U+10FFFF
  EXPECT_EQ(Utf8ToUtf16("\xE8\xBF"), u"\uFFFD\uFFFD");     // cut short at the end
  EXPECT_EQ(Utf8ToUtf16("\xE8" "A"), u"\uFFFD" u"A");      // lead byte then ASCII
  EXPECT_EQ(Utf8ToUtf16("\xFF"), u"\uFFFD");
}

TEST(Utf16ToUtf8, RoundTripsAndReplacesUnpairedSurrogates) {
  const std::string text = "微软雅黑 \xF0\x9F\x98\x80 $\xC2\xA2";
  EXPECT_EQ(Utf16ToUtf8(Utf8ToUtf16(text)), text);
  EXPECT_EQ(Utf16ToUtf8(std::u16string({0xD83D, u'x'})), "\xEF\xBF\xBDx");
  EXPECT_EQ(Utf16ToUtf8(std::u16string({0xDE00})), "\xEF\xBF\xBD");
  EXPECT_EQ(Utf16ToUtf8(std::u16string({0xD83D})), "\xEF\xBF\xBD");
}

}  // namespace
}  // namespace DuiLib
