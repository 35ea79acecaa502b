#include "repair/file_walk_rules.h"

#include <gtest/gtest.h>

namespace {

using repair::ExtensionOf;
using repair::SkippedInWalk;

TEST(WalkRules, DotNamesAndOneCharacterNamesArePassedOver) {
  for (const wchar_t* name : {L".", L"..", L".hidden", L".dll", L"...", L"x", L"7", L""})
    EXPECT_TRUE(SkippedInWalk(name)) << std::wstring(name).c_str();
  for (const wchar_t* name : {L"ab", L"a.dll", L"drivers", L"x.", L"a..b"})
    EXPECT_FALSE(SkippedInWalk(name));
}

TEST(WalkRules, TheExtensionRunsFromTheLastDotAndKeepsItsCase) {
  EXPECT_EQ(ExtensionOf(L"kernel32.dll"), L".dll");
  EXPECT_EQ(ExtensionOf(L"MSCOMCTL.OCX"), L".OCX");
  EXPECT_EQ(ExtensionOf(L"d3dx9_43.dll.bak"), L".bak");
  EXPECT_EQ(ExtensionOf(L"archive.tar.dll"), L".dll");
  EXPECT_EQ(ExtensionOf(L"trailing."), L".");
  EXPECT_EQ(ExtensionOf(L"README"), L"");
  EXPECT_NE(ExtensionOf(L"SHELL32.DLL"), L".dll");
}

}  // namespace
