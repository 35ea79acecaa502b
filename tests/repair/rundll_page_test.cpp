// The runtime library page in the real main frame under Wine: registry keys of the test
// prefix decide what is installed, and repairs fetch stand-in installers from the loopback
// fixture server and run them.
#include <gtest/gtest.h>
#include <windows.h>

#include <set>
#include <string>
#include <vector>

#include "fixture_client.h"
#include "platform/files_and_folders.h"
#include "platform/process_search.h"
#include "net/user_paths.h"
#include "platform/md5.h"
#include "repair/run_dll_window.h"
#include "repair_page_support.h"
#include "shell_test_support.h"
#include "ui/win/button.h"
#include "ui/win/label.h"
#include "ui/win/progress.h"
#include "wine_path.h"

namespace {

const char kTestKey[] = "Software\\TessavaneRundllPageTest";
const char kView32Key[] = "SOFTWARE\\TessavaneStandInTest\\View32";
const char kView64Key[] = "SOFTWARE\\TessavaneStandInTest\\View64";
const char kEndingKey[] = "SOFTWARE\\TessavaneStandInTest\\Ending";
constexpr int kRuntimePage = 1;
constexpr uint32_t kBlue = 0xFF1E90FF;

void RemoveStandInKeys() {
  for (const char* key : {kView32Key, kView64Key, kEndingKey})
    for (REGSAM view : {KEY_WOW64_32KEY, KEY_WOW64_64KEY})
      RegDeleteKeyExA(HKEY_LOCAL_MACHINE, key, view, 0);
}

class RundllPage : public RepairPageTest {
 protected:
  void SetUp() override {
    prefix_ = L"rundll";
    RepairPageTest::SetUp();
    RemoveTestKeys();
    RemoveStandInKeys();
    cache_ = net::RundllFolder(platform::RepairCacheBase());
    EndHangingInstallers();
    for (const char* name : {"view32.exe", "view64.exe", "slow.exe", "cached.exe", "absent.exe", "hang.exe",
                             "restart.exe", "newer.exe"})
      DeleteFileA((cache_ + name).c_str());
  }
  void TearDown() override {
    EndHangingInstallers();
    RemoveTestKeys();
    RemoveStandInKeys();
    RepairPageTest::TearDown();
  }
  static void RemoveTestKeys() {
    for (int i = 0; i < 10; ++i)
      RegDeleteKeyA(HKEY_CURRENT_USER, (std::string(kTestKey) + "\\k" + std::to_string(i)).c_str());
    RegDeleteKeyA(HKEY_CURRENT_USER, kTestKey);
  }
  // A key of the current user's hive, so that an entry naming it counts as installed.
  static std::string InstalledKey(int i) {
    std::string sub = std::string(kTestKey) + "\\k" + std::to_string(i);
    HKEY key;
    EXPECT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, sub.c_str(), &key), ERROR_SUCCESS);
    RegCloseKey(key);
    return "HKEY_CURRENT_USER\\" + sub;
  }
  static net::CatalogueFile Entry(int id, const std::string& regeditName) {
    net::CatalogueFile entry;
    entry.id = id;
    entry.fileName = "entry " + std::to_string(id);
    entry.regeditName = regeditName;
    return entry;
  }
  static net::CatalogueFile Missing(int id) {
    return Entry(
        id, "HKEY_CURRENT_USER\\Software\\TessavaneRundllPageTest\\absent" + std::to_string(id));
  }
  // An entry whose stand-in installer registers the key of its own registry view.
  static net::CatalogueFile StandIn(int id, int view) {
    net::CatalogueFile entry =
        Entry(id, std::string("HKEY_LOCAL_MACHINE\\") + (view == 64 ? kView64Key : kView32Key));
    std::string name = "view" + std::to_string(view) + ".exe";
    entry.fileMd5 = ServeFile(view == 64 ? STANDIN_VIEW64 : STANDIN_VIEW32, name);
    entry.downloadUrl = test_support::FixtureUrl("/files/" + name);
    entry.silentParam = "/install /quiet /norestart";
    return entry;
  }

  // An entry whose stand-in installer ends in one of the other ways (see tools/standins).
  static net::CatalogueFile Ending(int id, const char* standIn, const std::string& name) {
    net::CatalogueFile entry = Entry(id, std::string("HKEY_LOCAL_MACHINE\\") + kEndingKey);
    entry.fileMd5 = ServeFile(standIn, name);
    entry.downloadUrl = test_support::FixtureUrl("/files/" + name);
    entry.silentParam = "/install /quiet /norestart";
    return entry;
  }
  static size_t HangingInstallers() {
    std::vector<DWORD> ids;
    platform::FindProcessesByName("hang.exe", ids);
    return ids.size();
  }
  static void EndHangingInstallers() {
    std::vector<DWORD> ids;
    platform::FindProcessesByName("hang.exe", ids);
    for (DWORD id : ids) {
      HANDLE process = ::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id);
      if (!process) continue;
      ::TerminateProcess(process, 0);
      ::WaitForSingleObject(process, 5000);
      ::CloseHandle(process);
    }
  }

  std::string cache_;
};

TEST_F(RundllPage, StartsInTheStartViewAndAnEmptyCatalogueScansToZeros) {
  EXPECT_TRUE(Visible(L"rundll_normal_region"));
  EXPECT_FALSE(Visible(L"rundll_scan_region"));
  ASSERT_TRUE(Scan());
  EXPECT_FALSE(Visible(L"rundll_normal_region"));
  EXPECT_FALSE(Visible(L"rundll_scaning"));
  EXPECT_EQ(Text(L"rundll_scaned_text"), L"扫描完成，发现缺失0个运行库组件");
  EXPECT_EQ(Text(L"rundll_scaned_text1"), L"已检测项：0个  缺失：0个  完整：0个");
  EXPECT_TRUE(Visible(L"rundll_cancel"));
  EXPECT_FALSE(Visible(L"rundll_repair"));
  EXPECT_TRUE(Rows(L"rundll_list").empty());
  Click(L"rundll_cancel");
  EXPECT_TRUE(Visible(L"rundll_normal_region"));
  EXPECT_FALSE(Visible(L"rundll_scan_region"));
}

TEST_F(RundllPage, MissingEntriesComeFirstAndEachGroupInReverseOrder) {
  state_.ReplaceRuntimeFiles(
      {Missing(1), Entry(2, InstalledKey(2)), Missing(3), Entry(4, InstalledKey(4)), Missing(5)});
  ASSERT_TRUE(Scan());
  EXPECT_EQ(RowNames(L"rundll_list"), (std::vector<std::wstring>{L"entry 5", L"entry 3", L"entry 1",
                                                                 L"entry 4", L"entry 2"}));
  std::vector<Row> rows = Rows(L"rundll_list");
  ASSERT_EQ(rows.size(), 5u);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(rows[i].state, L"缺失");
    EXPECT_EQ(rows[i].stateColor, 0xFFFF0000);
    EXPECT_TRUE(rows[i].checked);
  }
  EXPECT_EQ(rows[0].checkName, L"5_rundllcheck");
  EXPECT_EQ(rows[0].stateName, L"5_rundllstate");
  for (int i = 3; i < 5; ++i) {
    EXPECT_EQ(rows[i].state, L"完整");
    EXPECT_EQ(rows[i].stateColor, 0xFF000000);
    EXPECT_TRUE(rows[i].checkName.empty());
  }
  EXPECT_EQ(rows[4].stateName, L"2_rundllstate");
  EXPECT_EQ(Text(L"rundll_scaned_text"), L"扫描完成，发现缺失3个运行库组件");
  EXPECT_EQ(Text(L"rundll_scaned_text1"), L"已检测项：5个  缺失：3个  完整：2个");
  EXPECT_TRUE(Visible(L"rundll_repair"));
  EXPECT_FALSE(Visible(L"rundll_cancel"));
  // The results are kept in the shared entries.
  app::AppState::ListPtr list = state_.RuntimeFiles();
  state_.WithEntries([&] {
    EXPECT_FALSE((*list)[0].installed);
    EXPECT_TRUE((*list)[1].installed);
    EXPECT_TRUE((*list)[3].installed);
  });
}

TEST_F(RundllPage, TheSliderStepsWithTheEntriesAndTheRowsGrowWhileScanning) {
  state_.ReplaceRuntimeFiles({Missing(1), Entry(2, InstalledKey(2)), Missing(3)});
  auto* slider = static_cast<DuiLib::CProgressUI*>(Control(L"rundll_scaning_progress"));
  std::vector<int> values;
  std::set<std::wstring> shownNames;
  size_t mostRows = 0;
  Click(L"rundll_scan");
  EXPECT_TRUE(Visible(L"rundll_scaning"));
  ASSERT_TRUE(PumpUntil(
      [&] {
        int value = slider->GetValue();
        if (values.empty() || values.back() != value) values.push_back(value);
        shownNames.insert(Text(L"rundll_scaning_text"));
        if (Visible(L"rundll_scaning")) mostRows = std::max(mostRows, Rows(L"rundll_list").size());
        return Visible(L"rundll_scaned");
      },
      10000));
  if (!values.empty() && values.front() == 0) values.erase(values.begin());
  EXPECT_EQ(values, (std::vector<int>{33, 66, 100}));
  EXPECT_TRUE(shownNames.count(L"entry 2"));
  EXPECT_EQ(Text(L"rundll_scaning_text"), L"entry 3");
  EXPECT_GE(mostRows, 2u);
}

TEST_F(RundllPage, ACancelledScanCountsAndListsOnlyTheEntriesItReached) {
  state_.ReplaceRuntimeFiles(
      {Missing(1), Entry(2, InstalledKey(2)), Missing(3), Missing(4), Missing(5)});
  auto* slider = static_cast<DuiLib::CProgressUI*>(Control(L"rundll_scaning_progress"));
  Click(L"rundll_scan");
  ASSERT_TRUE(PumpUntil([&] { return slider->GetValue() >= 40; }, 5000));
  ASSERT_EQ(slider->GetValue(), 40);
  Click(L"rundll_cancel_scan");
  EXPECT_TRUE(Visible(L"rundll_scaning"));  // the view changes when the worker has stopped
  ASSERT_TRUE(WaitVisible(L"rundll_scaned"));
  EXPECT_EQ(Text(L"rundll_scaned_text"), L"扫描中止，发现缺失1个运行库组件");
  EXPECT_EQ(Text(L"rundll_scaned_text1"), L"已检测项：2个  缺失：1个  完整：1个");
  EXPECT_EQ(RowNames(L"rundll_list"), (std::vector<std::wstring>{L"entry 1", L"entry 2"}));
  EXPECT_TRUE(Visible(L"rundll_repair"));
  // A new scan starts from scratch, no longer stopped.
  ASSERT_TRUE(Scan(L"rundll_scaned_rescan"));
  EXPECT_EQ(Text(L"rundll_scaned_text"), L"扫描完成，发现缺失4个运行库组件");
  EXPECT_EQ(Rows(L"rundll_list").size(), 5u);
}

// Closing the program mid-scan: the worker writes into the page's controls, so the page
// stops it and waits for it; the page kind's job marks, kept for the process, are free again.
TEST_F(RundllPage, AFrameClosedDuringAScanStopsItsWorkerAndLeavesNoJobBusy) {
  std::vector<net::CatalogueFile> entries;
  for (int i = 1; i <= 40; ++i) entries.push_back(Missing(i));  // two seconds of scanning
  state_.ReplaceRuntimeFiles(entries);
  auto* slider = static_cast<DuiLib::CProgressUI*>(Control(L"rundll_scaning_progress"));
  Click(L"rundll_scan");
  ASSERT_TRUE(PumpUntil([&] { return slider->GetValue() >= 10; }, 5000));
  const DWORD start = ::GetTickCount();
  ::DestroyWindow(frame_->GetHWND());
  PumpFor(0);
  frame_.reset();
  EXPECT_LT(::GetTickCount() - start, 1500u);

  frame_.reset(NewFrame());
  ASSERT_NE(frame_->Create(nullptr, L"repair page test", 0x10CE0000, 0x100, 0, 0, 0, 0), nullptr);
  state_.ReplaceRuntimeFiles({Missing(1), Missing(2)});
  ASSERT_TRUE(Scan());
  EXPECT_EQ(Text(L"rundll_scaned_text"), L"扫描完成，发现缺失2个运行库组件");
}

TEST_F(RundllPage, RootNamesChooseTheHiveAndMalformedNamesAreMissing) {
  InstalledKey(1);
  HKEY key;
  ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kView64Key, 0, nullptr, 0,
                            KEY_WRITE | KEY_WOW64_64KEY, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  RegCloseKey(key);
  const std::string sub = std::string(kTestKey) + "\\k1";
  state_.ReplaceRuntimeFiles({
      Entry(1, "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft"),
      Entry(2, "HKEY_LOCAL_MACHINE\\" + sub),  // only the user's hive has it
      Entry(3, "HKEY_CURRENT_USER\\" + sub),
      Entry(4, "hkey_local_machine\\" + sub),  // not the exact name: the user's hive
      Entry(5, "HKLM\\" + sub), Entry(6, "\\" + sub), Entry(7, "NoBackslashAtAll"),
      Entry(8, std::string("HKEY_LOCAL_MACHINE\\") + kView64Key),  // the 64-bit view only
  });
  ASSERT_TRUE(Scan());
  std::vector<Row> rows = Rows(L"rundll_list");
  std::vector<std::wstring> missing, complete;
  for (const Row& row : rows) (row.state == L"缺失" ? missing : complete).push_back(row.name);
  EXPECT_EQ(missing, (std::vector<std::wstring>{L"entry 7", L"entry 6", L"entry 2"}));
  EXPECT_EQ(complete, (std::vector<std::wstring>{L"entry 8", L"entry 5", L"entry 4", L"entry 3",
                                                 L"entry 1"}));
}

TEST_F(RundllPage, RepairInstallsTheTickedPackagesAndARescanShowsThemComplete) {
  net::CatalogueFile wrong = StandIn(3, 64);
  wrong.regeditName = "HKEY_CURRENT_USER\\Software\\TessavaneRundllPageTest\\never";
  wrong.fileMd5 = "0123456789abcdef0123456789abcdef";
  state_.ReplaceRuntimeFiles({StandIn(1, 32), Entry(2, InstalledKey(2)), wrong, StandIn(4, 64)});
  ASSERT_TRUE(Scan());
  EXPECT_EQ(RowNames(L"rundll_list"),
            (std::vector<std::wstring>{L"entry 4", L"entry 3", L"entry 1", L"entry 2"}));
  ASSERT_TRUE(Repair());
  EXPECT_FALSE(Visible(L"rundll_repairing"));
  std::vector<Row> rows = Rows(L"rundll_list");
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(rows[0].state, L"修复完成");
  EXPECT_EQ(rows[1].state, L"修复失败");
  EXPECT_EQ(rows[2].state, L"修复完成");
  EXPECT_EQ(rows[3].state, L"完整");
  for (int i = 0; i < 3; ++i) EXPECT_EQ(rows[i].stateColor, kBlue);
  EXPECT_FALSE(rows[0].checkName.empty());  // repaired rows keep their check box
  EXPECT_EQ(Text(L"rundll_repaired_text"), L"修复结束，1个组件修复失败");
  EXPECT_EQ(Picture(L"rundll_repaired_picture"), L"repair_failed.png");
  EXPECT_TRUE(Visible(L"rundll_repaired_rescan"));
  EXPECT_EQ(Text(L"rundll_repaired_text1"), L"已修复项：3个  成功：2个  失败：1个");
  EXPECT_EQ(Text(L"rundll_repairing_text"), L"正在修复：entry 4");
  app::AppState::ListPtr list = state_.RuntimeFiles();
  state_.WithEntries([&] {
    EXPECT_TRUE((*list)[0].installed);
    EXPECT_FALSE((*list)[2].installed);
    EXPECT_TRUE((*list)[3].installed);
  });

  ASSERT_TRUE(Scan(L"rundll_repaired_rescan"));
  EXPECT_EQ(States(), (std::vector<std::wstring>{L"缺失", L"完整", L"完整", L"完整"}));
  EXPECT_EQ(RowNames(L"rundll_list"),
            (std::vector<std::wstring>{L"entry 3", L"entry 4", L"entry 2", L"entry 1"}));
  Click(L"rundll_finish");  // hidden now, but it still leads back
  EXPECT_TRUE(Visible(L"rundll_normal_region"));
  EXPECT_EQ(Rows(L"rundll_list").size(), 4u);
}

TEST_F(RundllPage, UntickedEntriesAreNotTouched) {
  state_.ReplaceRuntimeFiles({StandIn(1, 32), StandIn(2, 64)});
  ASSERT_TRUE(Scan());
  for (const wchar_t* box : {L"1_rundllcheck", L"2_rundllcheck"})
    static_cast<DuiLib::COptionUI*>(Control(box))->SetCheck(false);
  test_support::ResetFixture();
  ASSERT_TRUE(Repair());
  EXPECT_EQ(Text(L"rundll_repaired_text"), L"修复完成，已修复0个运行库组件");
  EXPECT_EQ(Text(L"rundll_repaired_text1"), L"已修复项：0个  成功：0个  失败：0个");
  EXPECT_EQ(Picture(L"rundll_repaired_picture"), L"scaned.png");
  EXPECT_EQ(States(), (std::vector<std::wstring>{L"缺失", L"缺失"}));
  EXPECT_EQ(test_support::FixtureRequestCount(), 0);
}

TEST_F(RundllPage, ACachedInstallerWithTheRightDigestIsRunWithoutADownload) {
  net::CatalogueFile entry = StandIn(1, 64);
  ASSERT_TRUE(platform::EnsureFolder(cache_));
  ASSERT_TRUE(CopyFileA(test_support::WinePath(STANDIN_VIEW64).c_str(),
                        (cache_ + "cached.exe").c_str(), FALSE));
  entry.downloadUrl = test_support::FixtureUrl("/files/cached.exe");  // nothing is served there
  state_.ReplaceRuntimeFiles({entry});
  ASSERT_TRUE(Scan());
  test_support::ResetFixture();
  ASSERT_TRUE(Repair());
  EXPECT_EQ(States(), (std::vector<std::wstring>{L"修复完成"}));
  EXPECT_EQ(test_support::FixtureRequestCount(), 0);
}

// An installer without a digest would run elevated unchecked: only a fresh download over
// https, whose certificate the system verifies, may be used.
TEST_F(RundllPage, WithoutADigestNeitherAPlainDownloadNorACachedFileIsRun) {
  net::CatalogueFile plain = StandIn(1, 64);
  plain.fileMd5.clear();
  net::CatalogueFile secure = plain;
  secure.id = 2;
  ServeFile(STANDIN_VIEW64, "cached.exe");
  secure.downloadUrl = test_support::TlsFixtureUrl("/cached.exe");  // a self-signed certificate
  ASSERT_TRUE(platform::EnsureFolder(cache_));
  ASSERT_TRUE(CopyFileA(test_support::WinePath(STANDIN_VIEW64).c_str(),
                        (cache_ + "cached.exe").c_str(), FALSE));
  ASSERT_TRUE(CopyFileA(test_support::WinePath(STANDIN_VIEW64).c_str(),
                        (cache_ + "view64.exe").c_str(), FALSE));
  state_.ReplaceRuntimeFiles({plain, secure});
  ASSERT_TRUE(Scan());
  test_support::ResetFixture();
  ASSERT_TRUE(Repair());
  EXPECT_EQ(States(), (std::vector<std::wstring>{L"修复失败", L"修复失败"}));
  EXPECT_EQ(Text(L"rundll_repaired_text1"), L"已修复项：2个  成功：0个  失败：2个");
  EXPECT_EQ(test_support::FixtureRequestCount(), 0);     // nothing over plain http
  EXPECT_FALSE(platform::FileExists(cache_ + "cached.exe"));  // the unverifiable copy is gone
  EXPECT_TRUE(platform::FileExists(cache_ + "view64.exe"));   // the plain entry touched nothing
  HKEY key;
  EXPECT_NE(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kView64Key, 0, KEY_READ | KEY_WOW64_64KEY, &key),
            ERROR_SUCCESS);
}

// The slow installer keeps the repair busy while the frame asks for a scan.
TEST_F(RundllPage, AScanRequestDuringARepairIsRefusedEvenAfterCancelling) {
  net::CatalogueFile slow = Missing(1);
  slow.fileMd5 = ServeFile(SLEEPER, "slow.exe");
  slow.downloadUrl = test_support::FixtureUrl("/files/slow.exe");
  slow.silentParam = "1500";
  state_.ReplaceRuntimeFiles({slow, StandIn(2, 64)});
  ASSERT_TRUE(Scan());
  Click(L"rundll_repair");
  ASSERT_TRUE(PumpUntil([&] { return Text(L"1_rundllstate") == L"修复中..."; }, 5000));
  EXPECT_EQ(static_cast<DuiLib::CLabelUI*>(Control(L"1_rundllstate"))->GetTextColor(), kBlue);
  EXPECT_EQ(Text(L"rundll_repairing_text"), L"正在修复：entry 1");
  Command(kRuntimePage, "scan");
  PumpFor(200);
  Click(L"rundll_cancel_repair");
  // The repair is busy until its finishing step has run on this thread.
  Command(kRuntimePage, "scan");
  EXPECT_TRUE(Visible(L"rundll_repairing"));
  EXPECT_FALSE(Visible(L"rundll_scaning"));
  ASSERT_TRUE(WaitVisible(L"rundll_repaired"));
  // The cancel ended the wait for the installer: the entry failed, the second was never tried.
  EXPECT_EQ(States(), (std::vector<std::wstring>{L"缺失", L"修复失败"}));
  EXPECT_EQ(Text(L"rundll_repaired_text"), L"修复结束，1个组件修复失败");
  EXPECT_EQ(Text(L"rundll_repaired_text1"), L"已修复项：1个  成功：0个  失败：1个");
  // Once the repair has ended, the command scans; other words do nothing.
  Command(kRuntimePage, "init");
  EXPECT_TRUE(Visible(L"rundll_repaired"));
  Command(kRuntimePage, "scan");
  EXPECT_TRUE(Visible(L"rundll_scaning"));
  ASSERT_TRUE(WaitVisible(L"rundll_scaned"));
  EXPECT_EQ(Text(L"rundll_scaned_text"), L"扫描完成，发现缺失2个运行库组件");
}

// An installer that never ends: the cancel ends the repair's wait at once (the installer is
// left running), and the row and the band say it failed.
TEST_F(RundllPage, ACancelEndsTheWaitForAnInstallerThatNeverEnds) {
  state_.ReplaceRuntimeFiles({Ending(1, STANDIN_HANG, "hang.exe"), StandIn(2, 64)});
  ASSERT_TRUE(Scan());
  Click(L"rundll_repair");
  ASSERT_TRUE(PumpUntil([&] { return HangingInstallers() == 1; }, 10000));
  PumpFor(300);
  const DWORD cancelled = ::GetTickCount();
  Click(L"rundll_cancel_repair");
  ASSERT_TRUE(WaitVisible(L"rundll_repaired", 5000));
  EXPECT_LT(::GetTickCount() - cancelled, 1500u);
  EXPECT_EQ(States(), (std::vector<std::wstring>{L"缺失", L"修复失败"}));
  EXPECT_EQ(Text(L"rundll_repaired_text"), L"修复结束，1个组件修复失败");
  EXPECT_EQ(Text(L"rundll_repaired_text1"), L"已修复项：1个  成功：0个  失败：1个");
  EXPECT_EQ(Picture(L"rundll_repaired_picture"), L"repair_failed.png");
  EXPECT_TRUE(Visible(L"rundll_repaired_rescan"));
  EXPECT_EQ(HangingInstallers(), 1u);  // the wait ended, not the installer
}

// Leaving the program while an installer hangs: the page goes without waiting for it.
TEST_F(RundllPage, AFrameClosedWhileAnInstallerHangsGoesAtOnce) {
  state_.ReplaceRuntimeFiles({Ending(1, STANDIN_HANG, "hang.exe")});
  ASSERT_TRUE(Scan());
  Click(L"rundll_repair");
  ASSERT_TRUE(PumpUntil([&] { return HangingInstallers() == 1; }, 10000));
  PumpFor(300);
  const DWORD start = ::GetTickCount();
  ::DestroyWindow(frame_->GetHWND());
  PumpFor(0);
  frame_.reset();
  EXPECT_LT(::GetTickCount() - start, 1500u);

  frame_.reset(NewFrame());
  ASSERT_NE(frame_->Create(nullptr, L"repair page test", 0x10CE0000, 0x100, 0, 0, 0, 0), nullptr);
  state_.ReplaceRuntimeFiles({Missing(1)});
  ASSERT_TRUE(Scan());  // the page kind's jobs are free again
  EXPECT_EQ(Text(L"rundll_scaned_text"), L"扫描完成，发现缺失1个运行库组件");
}

// An installer that asks for a restart is told about once, at the end; one that finds a
// newer version with the key still missing is a failed row. A later repair without a
// restart request says nothing of it.
TEST_F(RundllPage, ARestartRequestIsToldOnceAtTheEndAndANewerVersionReportStillFails) {
  net::CatalogueFile newer = Ending(2, STANDIN_NEWER, "newer.exe");
  newer.regeditName = "HKEY_CURRENT_USER\\Software\\TessavaneRundllPageTest\\newer";
  state_.ReplaceRuntimeFiles({Ending(1, STANDIN_RESTART, "restart.exe"), newer, StandIn(3, 32)});
  ASSERT_TRUE(Scan());
  ASSERT_TRUE(Repair());
  EXPECT_EQ(States(), (std::vector<std::wstring>{L"修复完成", L"修复失败", L"修复完成"}));
  EXPECT_EQ(Text(L"rundll_repaired_text"), L"修复结束，1个组件修复失败");
  EXPECT_EQ(Text(L"rundll_repaired_text1"), L"已修复项：3个  成功：2个  失败：1个  部分组件需要重启电脑后生效");

  RemoveStandInKeys();  // all three are missing again; only entry 3 is repaired now
  ASSERT_TRUE(Scan(L"rundll_repaired_rescan"));
  for (const wchar_t* box : {L"1_rundllcheck", L"2_rundllcheck"})
    static_cast<DuiLib::COptionUI*>(Control(box))->SetCheck(false);
  ASSERT_TRUE(Repair());
  EXPECT_EQ(Text(L"rundll_repaired_text"), L"修复完成，已修复1个运行库组件");
  EXPECT_EQ(Text(L"rundll_repaired_text1"), L"已修复项：1个  成功：1个  失败：0个");
  EXPECT_EQ(Picture(L"rundll_repaired_picture"), L"scaned.png");
}

TEST_F(RundllPage, AScanKeepsTheListItStartedWithAndLongNamesAreShownWhole) {
  std::wstring longName(200, L'库');
  net::CatalogueFile named = Missing(1);
  named.fileName = ChineseText(longName);
  state_.ReplaceRuntimeFiles({named, Missing(2), Missing(3), Missing(4)});
  Click(L"rundll_scan");
  ASSERT_TRUE(PumpUntil([&] { return Rows(L"rundll_list").size() >= 1; }, 5000));
  state_.ReplaceRuntimeFiles({Missing(7)});  // the catalogue arrives meanwhile
  ASSERT_TRUE(WaitVisible(L"rundll_scaned"));
  EXPECT_EQ(RowNames(L"rundll_list"),
            (std::vector<std::wstring>{L"entry 4", L"entry 3", L"entry 2", longName}));
  ASSERT_TRUE(Scan(L"rundll_scaned_rescan"));
  EXPECT_EQ(RowNames(L"rundll_list"), (std::vector<std::wstring>{L"entry 7"}));

  state_.ReplaceRuntimeFiles({named});
  ASSERT_TRUE(Scan(L"rundll_scaned_rescan"));
  ASSERT_TRUE(Repair());  // no download URL: it fails at once
  EXPECT_EQ(Text(L"rundll_repairing_text"), L"正在修复：" + longName);
}

TEST_F(RundllPage, OnlyItsOwnTimerIdsFinishItsJobs) {
  state_.ReplaceRuntimeFiles({Missing(1), Missing(2), Missing(3)});
  Click(L"rundll_scan");
  // Timer notifications of other pages (and the DirectX page's) do not end the scan early.
  for (WPARAM id : {4001u, 4002u, 9002u, 1001u})
    frame_->m_PaintManager.SendNotify(Control(L"rundll_list"), L"timer", id);
  EXPECT_TRUE(Visible(L"rundll_scaning"));
  ASSERT_TRUE(WaitVisible(L"rundll_scaned"));
  EXPECT_EQ(Rows(L"rundll_list").size(), 3u);
  // The DirectX page's buttons do nothing here.
  Click(L"directx_repair");
  PumpFor(50);
  EXPECT_TRUE(Visible(L"rundll_scaned"));
  EXPECT_EQ(States(), (std::vector<std::wstring>{L"缺失", L"缺失", L"缺失"}));
}

}  // namespace
