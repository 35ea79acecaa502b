// The DirectX page in the real main frame under Wine: files of the test prefix's system
// folders decide what is complete, and repairs copy a stand-in DLL from the loopback fixture
// server into place.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "fixture_client.h"
#include "platform/files_and_folders.h"
#include "net/user_paths.h"
#include "repair_page_support.h"
#include "shell_test_support.h"
#include "ui/win/button.h"
#include "process_bits.h"
#include "wine_path.h"

namespace {

constexpr int kDirectXPage = 2;
const char* const kNative = test_support::NativeSystemFolder();
const char kWow64[] = "C:\\windows\\syswow64\\";
const char* const kNames[] = {"tessa_dxpage_a.dll", "tessa_dxpage_b.dll"};

class DirectXPage : public RepairPageTest {
 protected:
  void SetUp() override {
    prefix_ = L"directx";
    RepairPageTest::SetUp();
    frame_->ShowPage(kDirectXPage);
    digest_ = ServeFile(STANDIN_DLL, "d3dx9_43.dll");
    ASSERT_EQ(digest_.size(), 32u);
    Clean();
  }
  void TearDown() override {
    Clean();
    RepairPageTest::TearDown();
  }
  static void Clean() {
    for (const std::string& folder :
         {std::string(kNative), std::string(kWow64), Cache(0), Cache(1)})
      for (const char* name : kNames) DeleteFileA((folder + name).c_str());
  }
  static std::string Cache(int systemBit) {
    return net::DirectXFolder(platform::RepairCacheBase(), systemBit);
  }
  static bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
  }
  net::CatalogueFile Entry(int id, int systemBit, const std::string& name) const {
    net::CatalogueFile entry;
    entry.id = id;
    entry.systemBit = systemBit;
    entry.fileName = name;
    entry.filePath = "C:\\windows\\system32\\" + name;
    entry.downloadUrl = test_support::FixtureUrl("/files/d3dx9_43.dll");
    entry.fileMd5 = digest_;
    return entry;
  }

  std::string digest_;
};

TEST_F(DirectXPage, TenFilesThatAllExistAreComplete) {
  net::CatalogueList list;
  for (const char* name :
       {"kernel32.dll", "user32.dll", "gdi32.dll", "advapi32.dll", "ole32.dll", "shell32.dll",
        "ntdll.dll", "ws2_32.dll", "comctl32.dll", "msvcrt.dll"}) {
    const int id = static_cast<int>(list.size()) + 1;
    list.push_back(Entry(id, id % 2, name));  // both system folders
  }
  state_.ReplaceDxFiles(list);
  ASSERT_TRUE(Scan());
  EXPECT_EQ(States(), std::vector<std::wstring>(10, L"完整"));
  EXPECT_EQ(RowNames(L"directx_list").front(), L"C:\\windows\\system32\\msvcrt.dll");
  EXPECT_EQ(Text(L"directx_scaned_text"), L"扫描完成，发现缺失0个DirectX组件");
  EXPECT_EQ(Text(L"directx_scaned_text1"), L"已检测项：10个  缺失：0个  完整：10个");
  EXPECT_TRUE(Visible(L"directx_cancel"));
  EXPECT_FALSE(Visible(L"directx_repair"));
  state_.WithEntries([&] { EXPECT_EQ((*state_.DxFiles())[0].intact, 1); });
  Click(L"directx_cancel");
  EXPECT_TRUE(Visible(L"directx_normal_region"));
}

TEST_F(DirectXPage, AnEmptyCatalogueScansToZerosAndTheFrameCannotStartAScan) {
  EXPECT_TRUE(Visible(L"directx_normal_region"));
  EXPECT_FALSE(Visible(L"directx_scan_region"));
  Command(kDirectXPage, "scan");
  PumpFor(50);
  EXPECT_FALSE(Visible(L"directx_scan_region"));
  ASSERT_TRUE(Scan());
  EXPECT_EQ(Text(L"directx_scaned_text"), L"扫描完成，发现缺失0个DirectX组件");
  EXPECT_EQ(Text(L"directx_scaned_text1"), L"已检测项：0个  缺失：0个  完整：0个");
  EXPECT_TRUE(Visible(L"directx_cancel"));
}

TEST_F(DirectXPage, AMissingFileIsFetchedCheckedAndCopiedIntoTheNativeSystemFolder) {
  net::CatalogueFile complete = Entry(2, 0, "kernel32.dll");
  state_.ReplaceDxFiles({Entry(1, 1, kNames[0]), complete});
  ASSERT_TRUE(Scan());
  std::vector<Row> rows = Rows(L"directx_list");
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].name, L"C:\\windows\\system32\\tessa_dxpage_a.dll");
  EXPECT_EQ(rows[0].state, L"缺失");
  EXPECT_EQ(rows[0].checkName, L"1_directxcheck");
  EXPECT_EQ(rows[0].stateName, L"1_directxstate");
  EXPECT_TRUE(rows[0].checked);
  EXPECT_EQ(Text(L"directx_scaned_text"), L"扫描完成，发现缺失1个DirectX组件");
  ASSERT_TRUE(Repair());
  EXPECT_EQ(States(), (std::vector<std::wstring>{L"修复完成", L"完整"}));
  EXPECT_EQ(Rows(L"directx_list")[0].stateColor, 0xFF1E90FF);
  EXPECT_TRUE(Exists(std::string(kNative) + kNames[0]));
  EXPECT_FALSE(Exists(std::string(kWow64) + kNames[0]));
  EXPECT_TRUE(Exists(Cache(1) + kNames[0]));
  EXPECT_EQ(Text(L"directx_repaired_text"), L"修复完成，已修复1个DirectX组件");
  EXPECT_EQ(Text(L"directx_repaired_text1"), L"已修复项：1个  成功：1个  失败：0个");
  // The complete entry was visited, and named, last.
  EXPECT_EQ(Text(L"directx_repairing_text"), L"正在修复：kernel32.dll");
  ASSERT_TRUE(Scan(L"directx_repaired_rescan"));
  EXPECT_EQ(States(), (std::vector<std::wstring>{L"完整", L"完整"}));
  EXPECT_EQ(Text(L"directx_scaned_text1"), L"已检测项：2个  缺失：0个  完整：2个");
}

TEST_F(DirectXPage, TheSameNameWithAnotherSystemBitIsAnotherFileInAnotherFolder) {
  SKIP_UNLESS_WOW64_PROCESS();
  state_.ReplaceDxFiles({Entry(1, 0, kNames[1]), Entry(2, 1, kNames[1])});
  ASSERT_TRUE(Scan());
  static_cast<DuiLib::COptionUI*>(Control(L"2_directxcheck"))->SetCheck(false);
  ASSERT_TRUE(Repair());
  EXPECT_EQ(Text(L"directx_repaired_text1"), L"已修复项：1个  成功：1个  失败：0个");
  EXPECT_TRUE(Exists(std::string(kWow64) + kNames[1]));
  EXPECT_FALSE(Exists(std::string(kNative) + kNames[1]));
  EXPECT_TRUE(Exists(Cache(0) + kNames[1]));
  EXPECT_FALSE(Exists(Cache(1) + kNames[1]));
  ASSERT_TRUE(Scan(L"directx_repaired_rescan"));
  // The 64-bit entry looks in the native folder, which still lacks the file.
  EXPECT_EQ(Rows(L"directx_list")[0].name, L"C:\\windows\\system32\\tessa_dxpage_b.dll");
  EXPECT_EQ(States(), (std::vector<std::wstring>{L"缺失", L"完整"}));
  EXPECT_EQ(Rows(L"directx_list")[0].checkName, L"2_directxcheck");
}

TEST_F(DirectXPage, UntickedWrongOrDigestlessFilesAreNeverCopied) {
  net::CatalogueFile wrong = Entry(1, 1, kNames[0]);
  wrong.fileMd5 = "00000000000000000000000000000000";
  net::CatalogueFile plain = Entry(2, 0, kNames[0]);
  plain.fileMd5.clear();
  net::CatalogueFile secure = Entry(3, 0, kNames[1]);
  secure.fileMd5.clear();
  secure.downloadUrl = test_support::TlsFixtureUrl("/d3dx9_43.dll");  // self-signed
  // Cached copies that an unchecked repair would take.
  for (const std::string& local : {Cache(0) + kNames[0], Cache(0) + kNames[1]}) {
    ASSERT_TRUE(platform::EnsureFolder(Cache(0)));
    ASSERT_TRUE(CopyFileA(test_support::WinePath(STANDIN_DLL).c_str(), local.c_str(), FALSE));
  }
  state_.ReplaceDxFiles({wrong, plain, secure});
  ASSERT_TRUE(Scan());
  test_support::ResetFixture();
  ASSERT_TRUE(Repair());
  EXPECT_EQ(States(), (std::vector<std::wstring>{L"修复失败", L"修复失败", L"修复失败"}));
  EXPECT_EQ(Text(L"directx_repaired_text"), L"修复结束，3个组件修复失败");
  EXPECT_EQ(Picture(L"directx_repaired_picture"), L"repair_failed.png");
  EXPECT_EQ(Text(L"directx_repaired_text1"), L"已修复项：3个  成功：0个  失败：3个");
  EXPECT_EQ(test_support::FixtureRequestCount(), 3);  // the wrong digest's three attempts
  for (const char* folder : {kNative, kWow64})
    for (const char* name : kNames) EXPECT_FALSE(Exists(std::string(folder) + name)) << name;
  EXPECT_TRUE(Exists(Cache(0) + kNames[0]));   // the plain entry touched nothing
  EXPECT_FALSE(Exists(Cache(0) + kNames[1]));  // the https one would not reuse its copy

  ASSERT_TRUE(Scan(L"directx_repaired_rescan"));
  for (const wchar_t* box : {L"1_directxcheck", L"2_directxcheck", L"3_directxcheck"})
    static_cast<DuiLib::COptionUI*>(Control(box))->SetCheck(false);
  ASSERT_TRUE(Repair());
  EXPECT_EQ(Text(L"directx_repaired_text"), L"修复完成，已修复0个DirectX组件");
  EXPECT_EQ(Text(L"directx_repaired_text1"), L"已修复项：0个  成功：0个  失败：0个");
  EXPECT_EQ(Picture(L"directx_repaired_picture"), L"scaned.png");  // nothing failed this time
  EXPECT_EQ(States(), (std::vector<std::wstring>{L"缺失", L"缺失", L"缺失"}));
}

TEST_F(DirectXPage, ACancelledScanUsesTheDirectXStopText) {
  net::CatalogueList list;
  for (int id = 1; id <= 30; ++id)
    list.push_back(Entry(id, 0, "absent_" + std::to_string(id) + ".dll"));
  state_.ReplaceDxFiles(list);
  Click(L"directx_scan");
  ASSERT_TRUE(PumpUntil([&] { return Rows(L"directx_list").size() >= 3; }, 5000));
  Click(L"directx_cancel_scan");
  ASSERT_TRUE(WaitVisible(L"directx_scaned"));
  const size_t reached = Rows(L"directx_list").size();
  EXPECT_LT(reached, 30u);
  EXPECT_EQ(Text(L"directx_scaned_text"),
            L"扫描中止，发现缺失" + std::to_wstring(reached) + L"个DirectX组件");
}

// The fixture answers /slow late and with a body that never matches the digest, so the first
// entry keeps the repair busy for three slow attempts.
TEST_F(DirectXPage, ARowSaysItIsBeingRepairedAndACancelStopsAfterIt) {
  net::CatalogueFile slow = Entry(1, 0, kNames[0]);
  slow.downloadUrl = test_support::FixtureUrl("/slow?ms=400");
  state_.ReplaceDxFiles({slow, Entry(2, 0, kNames[1])});
  ASSERT_TRUE(Scan());
  Click(L"directx_repair");
  ASSERT_TRUE(PumpUntil([&] { return Text(L"1_directxstate") == L"修复中"; }, 5000));
  EXPECT_EQ(Text(L"directx_repairing_text"), L"正在修复：tessa_dxpage_a.dll");
  Click(L"directx_cancel_repair");
  ASSERT_TRUE(WaitVisible(L"directx_repaired"));
  EXPECT_EQ(Text(L"1_directxstate"), L"修复失败");
  EXPECT_EQ(Text(L"2_directxstate"), L"缺失");
  EXPECT_EQ(Text(L"directx_repaired_text"), L"修复结束，1个组件修复失败");
  EXPECT_EQ(Text(L"directx_repaired_text1"), L"已修复项：1个  成功：0个  失败：1个");
}

}  // namespace
