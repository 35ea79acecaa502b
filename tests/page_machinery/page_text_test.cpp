#include "page_machinery/page_text.h"

#include <gtest/gtest.h>

namespace {

using repair::FillIn;
using repair::SameIgnoringCase;

TEST(FillIn, TakesTheValuesInTurnForEachSlot) {
  EXPECT_EQ(FillIn(L"已检测项：%d个  修复：%d个  完整：%d个", {L"7", L"0", L"7"}),
            L"已检测项：7个  修复：0个  完整：7个");
  EXPECT_EQ(FillIn(L"正在检查：%s", {L"C:\\Windows\\System32\\a.dll"}),
            L"正在检查：C:\\Windows\\System32\\a.dll");
}

TEST(FillIn, ValuesAreNeverReadAsPatterns) {
  EXPECT_EQ(FillIn(L"%s and %d", {L"100%d", L"%s"}), L"100%d and %s");
  EXPECT_EQ(FillIn(L"正在检查：%s", {std::wstring(400, L'a')}).size(), 5u + 400u);
}

TEST(FillIn, SlotsWithoutValuesAndOtherPercentSignsStay) {
  EXPECT_EQ(FillIn(L"%d of %d", {L"1"}), L"1 of %d");
  EXPECT_EQ(FillIn(L"100% %x %", {}), L"100% %x %");
  EXPECT_EQ(FillIn(L"%d", {L"1", L"2"}), L"1");
}

TEST(SameIgnoringCase, FoldsOnlyAsciiLetters) {
  EXPECT_TRUE(SameIgnoringCase(L"TIMER", L"timer"));
  EXPECT_TRUE(SameIgnoringCase(L"Sysdll_Cancel_Repair", L"sysdll_cancel_repair"));
  EXPECT_FALSE(SameIgnoringCase(L"sysdll_repair", L"sysdll_repaired"));
  EXPECT_FALSE(SameIgnoringCase(L"\u00C4", L"\u00E4"));
  EXPECT_FALSE(SameIgnoringCase(L"@", L"`"));  // one below A, one below a
  EXPECT_TRUE(SameIgnoringCase(L"", L""));
}

}  // namespace
