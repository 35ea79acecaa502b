// The Windows folder as this system reports it, and the DirectX engine's catalogue paths put
// onto it: the real folder of the test prefix, a folder that only looks like it, and a Windows
// folder elsewhere.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <initializer_list>
#include <string>

#include "file_tree.h"
#include "fixture_client.h"
#include "net/user_paths.h"
#include "platform/path_text.h"
#include "platform/windows_folder.h"
#include "process_bits.h"
#include "repair/directx_repair_system.h"
#include "platform/md5.h"
#include "temp_path.h"
#include "wine_path.h"

namespace {

bool IsFile(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::wstring Wide(const std::string& text) { return std::wstring(text.begin(), text.end()); }

// An entry for filePath whose file the fixture serves (the stand-in DLL) with its digest.
net::CatalogueFile Entry(const std::string& filePath) {
  net::CatalogueFile entry;
  entry.systemBit = 0;
  entry.fileName = platform::FileNameOfPath(filePath);
  entry.filePath = filePath;
  const std::string served =
      test_support::WinePath(std::string(std::getenv("FIXTURE_FILES")) + "/" + entry.fileName);
  EXPECT_TRUE(CopyFileA(test_support::WinePath(STANDIN_DLL).c_str(), served.c_str(), FALSE));
  entry.downloadUrl = test_support::FixtureUrl("/files/" + entry.fileName);
  entry.fileMd5 = platform::FileMd5(served);
  return entry;
}

DWORD SizeOf(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  return GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) ? data.nFileSizeLow : ~0u;
}

// Each catalogue path, mapped onto the Windows folder, lands inside it on a file that is there.
void ExpectSystemFilesAt(std::initializer_list<const char*> paths, const std::string& windows) {
  for (const char* path : paths) {
    const std::string here = platform::MapWindowsFolder(path, windows);
    EXPECT_EQ(here.compare(0, windows.size() + 1, windows + "\\"), 0) << here;
    EXPECT_TRUE(IsFile(here)) << here;
  }
}

TEST(WindowsFolderHere, CataloguePathsLandInTheFolderTheSystemReports) {
  const std::string windows = platform::SystemWindowsFolder();
  char reported[MAX_PATH] = {};
  ASSERT_GT(GetWindowsDirectoryA(reported, MAX_PATH), 0u);
  EXPECT_EQ(windows, reported);  // one user: the shared folder is the user's
  ExpectSystemFilesAt({"C:\\Windows\\System32\\kernel32.dll", "c:\\windows\\system32\\user32.dll"}, windows);
  const repair::DirectXRepairOps ops = repair::SystemDirectXRepairOps(std::getenv("TEMP"));
  EXPECT_EQ(ops.windowsFolder, windows);
  EXPECT_TRUE(repair::DirectXFileIntact(Entry("C:\\WINDOWS\\System32\\kernel32.dll"), ops));
}

TEST(WindowsFolderHere, SysWow64PathsLandInTheFolderTheSystemReports) {
  SKIP_UNLESS_SYSTEM_HAS_32BIT_HALF();
  ExpectSystemFilesAt({"C:\\WINDOWS\\SysWOW64\\kernel32.dll", "c:\\windows\\syswow64\\user32.dll"},
                      platform::SystemWindowsFolder());
}

TEST(WindowsFolderHere, AFolderThatOnlyLooksLikeItIsNeverLookedAtNorWritten) {
  const std::string lookalike = "C:\\WindowsOld\\System32\\tessa_lookalike.dll";
  ASSERT_TRUE(test_support::MakeFile(Wide(lookalike)));
  const repair::DirectXRepairOps ops = repair::SystemDirectXRepairOps(std::getenv("TEMP"));
  const net::CatalogueFile entry = Entry(lookalike);
  EXPECT_FALSE(repair::DirectXFileIntact(entry, ops));
  EXPECT_FALSE(repair::RepairDirectXEntry(entry, net::DirectXFolder(test_support::TempPath("lookalike"), 0), ops));
  EXPECT_EQ(SizeOf(lookalike), 0u);  // still the empty file, not the served DLL
  test_support::RemoveTree(L"C:\\WindowsOld\\");
}

TEST(WindowsFolderHere, WithWindowsElsewhereTheFileGoesThereAndNowhereElse) {
  const std::string elsewhere = test_support::TempPath("WINNT");
  ASSERT_TRUE(test_support::MakeFile(Wide(elsewhere + "\\System32\\placeholder")));

  repair::DirectXRepairOps ops = repair::SystemDirectXRepairOps(std::getenv("TEMP"));
  ops.windowsFolder = elsewhere;
  const net::CatalogueFile entry = Entry("C:\\Windows\\System32\\tessa_elsewhere.dll");
  EXPECT_FALSE(repair::DirectXFileIntact(entry, ops));
  EXPECT_TRUE(repair::RepairDirectXEntry(entry, net::DirectXFolder(test_support::TempPath("elsewhere"), 0), ops));
  EXPECT_EQ(platform::FileMd5(elsewhere + "\\System32\\tessa_elsewhere.dll"), entry.fileMd5);
  EXPECT_TRUE(repair::DirectXFileIntact(entry, ops));
  EXPECT_FALSE(IsFile("C:\\windows\\system32\\tessa_elsewhere.dll"));
  EXPECT_FALSE(IsFile("C:\\windows\\syswow64\\tessa_elsewhere.dll"));
  test_support::RemoveTree(Wide(elsewhere + "\\"));
}

}  // namespace
