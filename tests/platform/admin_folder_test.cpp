// The folders that hold what the elevated program runs or copies: made or taken over with
// their own access list, below a base only, and never through a link.
#include "platform/admin_folder.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <aclapi.h>
#include <sddl.h>

#include <string>

#include "temp_path.h"

namespace {

// The folder's owner and access list as descriptor text, as Windows reports them.
std::string SecurityOf(const std::string& folder) {
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  std::string name = folder;
  if (GetNamedSecurityInfoA(&name[0], SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION,
                            nullptr, nullptr, nullptr, nullptr, &descriptor) != ERROR_SUCCESS)
    return "<unreadable>";
  char* text = nullptr;
  std::string result = "<unconvertible>";
  if (ConvertSecurityDescriptorToStringSecurityDescriptorA(
          descriptor, SDDL_REVISION_1, OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION, &text, nullptr)) {
    result = text;
    LocalFree(text);
  }
  LocalFree(descriptor);
  return result;
}

bool IsFolder(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

class AdminFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    base_ = test_support::TempPath("adminbase");
    ASSERT_TRUE(CreateDirectoryA(base_.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
  }
  void TearDown() override {
    for (const char* folder : {"\\a\\b\\c", "\\a\\b", "\\a", "\\open", "\\probe", "\\target\\x", "\\target", "\\link"})
      RemoveDirectoryA((base_ + folder).c_str());
    RemoveDirectoryA(base_.c_str());
  }
  std::string base_;
};

// Whether the file system keeps the access lists it is given: Wine's does not, it reports
// one made up from the file's Unix rights.
bool KeepsAccessLists(const std::string& folder) {
  PSECURITY_DESCRIPTOR given = nullptr;
  if (!ConvertStringSecurityDescriptorToSecurityDescriptorA("D:P(A;;FA;;;SY)", SDDL_REVISION_1, &given, nullptr))
    return false;
  SECURITY_ATTRIBUTES attributes{sizeof attributes, given, FALSE};
  const bool made = CreateDirectoryA(folder.c_str(), &attributes) != 0;
  LocalFree(given);
  const bool kept = made && SecurityOf(folder).find("D:P(A;;FA;;;SY)") != std::string::npos;
  RemoveDirectoryA(folder.c_str());
  return kept;
}

TEST_F(AdminFolder, MakesEveryFolderBelowTheBase) {
  ASSERT_TRUE(platform::EnsureAdminOnlyFolder(base_, base_ + "\\a\\b\\c\\"));
  for (const char* folder : {"\\a", "\\a\\b", "\\a\\b\\c"}) EXPECT_TRUE(IsFolder(base_ + folder)) << folder;
  // Again, with everything there: still fine.
  EXPECT_TRUE(platform::EnsureAdminOnlyFolder(base_ + "\\", base_ + "\\a\\b\\c"));
}

TEST_F(AdminFolder, MadeAndTakenOverFoldersCarryTheirOwnAccessList) {
  if (!KeepsAccessLists(base_ + "\\probe"))
    GTEST_SKIP() << "this file system keeps no access lists (Wine reports one made up from the Unix rights)";
  ASSERT_TRUE(platform::EnsureAdminOnlyFolder(base_, base_ + "\\a\\b"));
  for (const char* folder : {"\\a", "\\a\\b"})
    EXPECT_EQ(SecurityOf(base_ + folder), platform::kAdminOnlyFolderSddl) << folder;
  // Made open to everyone, as a user's program could have made it before the repair ran.
  PSECURITY_DESCRIPTOR open = nullptr;
  ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorA("D:(A;OICI;FA;;;WD)", SDDL_REVISION_1,
                                                                   &open, nullptr));
  SECURITY_ATTRIBUTES attributes{sizeof attributes, open, FALSE};
  const std::string folder = base_ + "\\open";
  ASSERT_TRUE(CreateDirectoryA(folder.c_str(), &attributes));
  LocalFree(open);
  ASSERT_NE(SecurityOf(folder), platform::kAdminOnlyFolderSddl);
  EXPECT_TRUE(platform::EnsureAdminOnlyFolder(base_, folder));
  EXPECT_EQ(SecurityOf(folder), platform::kAdminOnlyFolderSddl);
}

TEST_F(AdminFolder, OnlyFoldersBelowAnExistingBaseAreMade) {
  EXPECT_FALSE(platform::EnsureAdminOnlyFolder(base_, base_));
  EXPECT_FALSE(platform::EnsureAdminOnlyFolder(base_, base_ + "x\\a"));  // a sibling, not below
  EXPECT_FALSE(platform::EnsureAdminOnlyFolder(base_, base_ + "\\a\\..\\..\\escaped"));
  EXPECT_FALSE(platform::EnsureAdminOnlyFolder(base_, "C:\\Windows\\Temp\\tessa_elsewhere"));
  EXPECT_FALSE(platform::EnsureAdminOnlyFolder(base_ + "\\missing", base_ + "\\missing\\a"));
  EXPECT_FALSE(platform::EnsureAdminOnlyFolder("\\\\server\\share", "\\\\server\\share\\a"));
  EXPECT_FALSE(IsFolder(base_ + "\\a"));
  EXPECT_FALSE(IsFolder("C:\\Windows\\Temp\\tessa_elsewhere"));
}

TEST_F(AdminFolder, ALinkOnTheWayIsRefused) {
  const std::string target = base_ + "\\target", link = base_ + "\\link";
  ASSERT_TRUE(CreateDirectoryA(target.c_str(), nullptr));
  const bool made = CreateSymbolicLinkA(link.c_str(), target.c_str(), SYMBOLIC_LINK_FLAG_DIRECTORY) != 0;
  // A link only counts if it leads to the target; Wine 8 answers with a plain folder.
  const bool leads = made && CreateDirectoryA((target + "\\seen").c_str(), nullptr) && IsFolder(link + "\\seen");
  RemoveDirectoryA((target + "\\seen").c_str());
  if (!leads) GTEST_SKIP() << "this system makes no working directory link (Wine 8 makes a plain folder)";
  EXPECT_FALSE(platform::EnsureAdminOnlyFolder(base_, link + "\\x"));
  EXPECT_FALSE(IsFolder(target + "\\x"));
}

}  // namespace
