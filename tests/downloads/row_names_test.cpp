#include "downloads/row_names.h"

#include <gtest/gtest.h>

namespace {

using downloads::IdFromControlName;
using downloads::ProgressPercent;
using downloads::ProgressText;
using downloads::RowControlName;
using downloads::RowRole;

TEST(RowNames, EveryRoleOfARowCarriesTheIdAndTheStem) {
  EXPECT_EQ(RowControlName(12, L"cplus", RowRole::kProgress), L"12_cplusprocess");
  EXPECT_EQ(RowControlName(12, L"cplus", RowRole::kDownload), L"12_cplusdownload");
  EXPECT_EQ(RowControlName(0, L"net", RowRole::kInstall), L"0_netinstall");
  EXPECT_EQ(RowControlName(-3, L"game", RowRole::kPause), L"-3_gamepause");
  EXPECT_EQ(RowControlName(2147483647, L"game", RowRole::kContinue), L"2147483647_gamecontinue");
  EXPECT_EQ(RowControlName(7, L"net", RowRole::kDelete), L"7_netdelete");
}

TEST(RowNames, TheIdIsReadBeforeTheFirstUnderscoreAsAtoiWould) {
  EXPECT_EQ(IdFromControlName(L"12_cplusdownload"), 12);
  EXPECT_EQ(IdFromControlName(L"-3_gamepause"), -3);
  EXPECT_EQ(IdFromControlName(L"4_a_b"), 4);
  EXPECT_EQ(IdFromControlName(L" 9x_cplusdelete"), 9);
  EXPECT_EQ(IdFromControlName(L"abc_cplusdelete"), 0);
  EXPECT_EQ(IdFromControlName(L"_cplusdelete"), 0);
  EXPECT_EQ(IdFromControlName(L"下_cplusdelete"), 0);
  EXPECT_EQ(IdFromControlName(L"99999999999_cplusdelete"), 2147483647);
  EXPECT_EQ(IdFromControlName(L"cplus_list"), 0);
  EXPECT_EQ(IdFromControlName(L"12cplusdownload"), -1);
  EXPECT_EQ(IdFromControlName(L""), -1);
}

TEST(RowNames, ProgressCountsTheBytesOnDiskAndStopsAtAHundred) {
  EXPECT_FLOAT_EQ(ProgressPercent(0, 375, 1000), 37.5f);
  // Half on disk before the transfer, half of the rest now: three quarters.
  EXPECT_FLOAT_EQ(ProgressPercent(500, 250, 500), 75.0f);
  EXPECT_FLOAT_EQ(ProgressPercent(0, 1200, 1000), 100.0f);
  EXPECT_FLOAT_EQ(ProgressPercent(4e9, 1e9, 1e9), 100.0f);
  EXPECT_EQ(ProgressText(37.5f), L"下载进度37.50%");
  EXPECT_EQ(ProgressText(ProgressPercent(0, 2, 3)), L"下载进度66.67%");
  EXPECT_EQ(ProgressText(ProgressPercent(0, 5000, 10)), L"下载进度100.00%");
}

}  // namespace
