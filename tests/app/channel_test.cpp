#include "app/channel.h"

#include <gtest/gtest.h>

namespace {

using app::DeriveChannelFromFileName;

TEST(ChannelFromFileName, TakesTheTextBetweenTheLastUnderscoreAndExe) {
  EXPECT_EQ(DeriveChannelFromFileName("Setup_abc.exe"), "abc");
  EXPECT_EQ(DeriveChannelFromFileName("a_b_c.exe"), "c");
  EXPECT_EQ(DeriveChannelFromFileName("Setup_A1_z9.exe"), "z9");
}

TEST(ChannelFromFileName, DropsABrowsersDuplicateSuffix) {
  EXPECT_EQ(DeriveChannelFromFileName("Setup_abc (2).exe"), "abc");
  EXPECT_EQ(DeriveChannelFromFileName("Setup_abc(2).exe"), "abc");
  EXPECT_EQ(DeriveChannelFromFileName("Setup_  abc  (13).exe"), "abc");
  // Only spaces are stripped; a tab is a forbidden character.
  EXPECT_EQ(DeriveChannelFromFileName("Setup_abc\t(2).exe"), "guanwang");
  EXPECT_EQ(DeriveChannelFromFileName("Setup_ (2).exe"), "guanwang");
}

TEST(ChannelFromFileName, FallsBackForNamesWithoutAUsableChannel) {
  EXPECT_EQ(DeriveChannelFromFileName("Setup.exe"), "guanwang");
  EXPECT_EQ(DeriveChannelFromFileName("Setup_.exe"), "guanwang");
  EXPECT_EQ(DeriveChannelFromFileName("Setup_ab-c.exe"), "guanwang");
  EXPECT_EQ(DeriveChannelFromFileName("Setup_ab c.exe"), "guanwang");
  EXPECT_EQ(DeriveChannelFromFileName("SETUP_ABC.EXE"), "guanwang");
  EXPECT_EQ(DeriveChannelFromFileName(""), "guanwang");
  EXPECT_EQ(DeriveChannelFromFileName("_"), "guanwang");
  EXPECT_EQ(DeriveChannelFromFileName(".exe"), "guanwang");
}

TEST(ChannelFromFileName, RejectsEveryByteAboveAscii) {
  EXPECT_EQ(DeriveChannelFromFileName("Setup_\xD4\xCB\xD0\xD0.exe"), "guanwang");  // GBK
  EXPECT_EQ(DeriveChannelFromFileName("Setup_ab\x80.exe"), "guanwang");
}

TEST(ChannelFromFileName, SurvivesAnUnderscoreAfterTheExtension) {
  // The last "_" stands inside the last four characters: there is no candidate.
  EXPECT_EQ(DeriveChannelFromFileName("a.exe_x"), "guanwang");
  EXPECT_EQ(DeriveChannelFromFileName("x.exe_"), "guanwang");
  // ".exe" somewhere, but the name ends differently: the last four characters go anyway.
  EXPECT_EQ(DeriveChannelFromFileName("Setup_abc.exe.bak"), "guanwang");
  EXPECT_EQ(DeriveChannelFromFileName("Setup_abcd.exe1"), "guanwang");
}

}  // namespace
