// Links and junctions on the way to a path the elevated program writes or deletes.
#include "platform/path_links.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "temp_path.h"

namespace {

class PathLinks : public ::testing::Test {
 protected:
  void SetUp() override {
    base_ = test_support::TempPath("links");
    ASSERT_TRUE(CreateDirectoryA(base_.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
    ASSERT_TRUE(CreateDirectoryA((base_ + "\\plain").c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
  }
  void TearDown() override {
    RemoveDirectoryA((base_ + "\\link").c_str());
    DeleteFileA((base_ + "\\link").c_str());
    RemoveDirectoryA((base_ + "\\target\\seen").c_str());
    RemoveDirectoryA((base_ + "\\target").c_str());
    RemoveDirectoryA((base_ + "\\plain").c_str());
    RemoveDirectoryA(base_.c_str());
  }
  std::string base_;
};

TEST_F(PathLinks, OrdinaryFoldersAndPartsYetToBeMadeLeadNowhereElse) {
  EXPECT_FALSE(platform::PathLeadsElsewhere(base_ + "\\plain"));
  EXPECT_FALSE(platform::PathLeadsElsewhere(base_ + "\\plain\\"));
  EXPECT_FALSE(platform::PathLeadsElsewhere(base_ + "\\plain\\Tessavane\\12\\setup.exe"));
  EXPECT_FALSE(platform::IsLinkOrJunction(base_ + "\\plain"));
}

TEST_F(PathLinks, PathsNotBelowADriveLetterAreRefused) {
  for (const std::string& odd : {std::string("\\\\server\\share\\x.exe"), std::string("\\\\?\\C:\\x.exe"),
                                 std::string("relative\\x.exe"), std::string("C:x.exe"), std::string(""),
                                 base_ + "\\plain\\..\\..\\x.exe", std::string("C:/Windows/x.exe")})
    EXPECT_TRUE(platform::PathLeadsElsewhere(odd)) << odd;
}

TEST_F(PathLinks, ADirectoryLinkOnTheWayIsFound) {
  const std::string target = base_ + "\\target", link = base_ + "\\link";
  ASSERT_TRUE(CreateDirectoryA(target.c_str(), nullptr));
  const bool made = CreateSymbolicLinkA(link.c_str(), target.c_str(), SYMBOLIC_LINK_FLAG_DIRECTORY) != 0;
  // A link only counts if it leads to the target; Wine 8 answers with a plain folder.
  const DWORD seen = made && CreateDirectoryA((target + "\\seen").c_str(), nullptr)
                         ? GetFileAttributesA((link + "\\seen").c_str())
                         : INVALID_FILE_ATTRIBUTES;
  if (seen == INVALID_FILE_ATTRIBUTES) GTEST_SKIP() << "this system makes no working directory link (Wine 8 makes a plain folder)";
  EXPECT_TRUE(platform::IsLinkOrJunction(link));
  EXPECT_TRUE(platform::PathLeadsElsewhere(link + "\\Tessavane\\1\\setup.exe"));
  EXPECT_FALSE(platform::PathLeadsElsewhere(target + "\\Tessavane\\1\\setup.exe"));
}

}  // namespace
