#include "repair/runtime_repair_system.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "fixture_client.h"
#include "platform/md5.h"
#include "platform/process_search.h"
#include "repair/registry_path.h"
#include "temp_path.h"
#include "wine_path.h"

namespace {

// The stand-in installer registers this key in the 64-bit view when run with its switches.
const char kKey[] = "SOFTWARE\\TessavaneStandInTest\\View64";
const char kRegeditName[] = "HKEY_LOCAL_MACHINE\\SOFTWARE\\TessavaneStandInTest\\View64";
const char kSwitches[] = "/install /quiet /norestart";

void RemoveKeyInBothViews() {
  RegDeleteKeyExA(HKEY_LOCAL_MACHINE, kKey, KEY_WOW64_64KEY, 0);
  RegDeleteKeyExA(HKEY_LOCAL_MACHINE, kKey, KEY_WOW64_32KEY, 0);
}

// The cache below the test's own temporary folder instead of ProgramData.
repair::RuntimeRepairOps CacheOps() { return repair::SystemRuntimeRepairOps(std::getenv("TEMP")); }

class RuntimeRepairOnWindows : public ::testing::Test {
 protected:
  void SetUp() override {
    RemoveKeyInBothViews();
    served_ = test_support::WinePath(std::string(std::getenv("FIXTURE_FILES")) + "/vc_redist.x64.exe");
    ASSERT_TRUE(CopyFileA(test_support::WinePath(STANDIN_VIEW64).c_str(), served_.c_str(), FALSE));
    entry_.downloadUrl = test_support::FixtureUrl("/files/vc_redist.x64.exe");
    entry_.fileMd5 = platform::FileMd5(served_);
    entry_.regeditName = kRegeditName;
    entry_.silentParam = kSwitches;
    cache_ = test_support::TempPath("Rundll") + "\\";
  }
  void TearDown() override { RemoveKeyInBothViews(); }

  net::CatalogueFile entry_;
  std::string served_, cache_;
};

TEST_F(RuntimeRepairOnWindows, InstallsAPackageThatOnlyThe64BitViewShows) {
  ASSERT_EQ(entry_.fileMd5.size(), 32u);
  EXPECT_FALSE(repair::RegistryPathExists(kRegeditName));
  EXPECT_TRUE(repair::RepairRuntimeEntry(entry_, cache_, CacheOps()).installed);
  EXPECT_TRUE(repair::RegistryPathExists(kRegeditName));
  HKEY key;
  EXPECT_NE(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kKey, 0, KEY_READ | KEY_WOW64_32KEY, &key), ERROR_SUCCESS);  // not in the 32-bit view
  EXPECT_EQ(platform::FileMd5(cache_ + "vc_redist.x64.exe"), entry_.fileMd5);

  // Once more: the cached installer is still the right one, so nothing is downloaded.
  RemoveKeyInBothViews();
  test_support::ResetFixture();
  EXPECT_TRUE(repair::RepairRuntimeEntry(entry_, cache_, CacheOps()).installed);
  EXPECT_EQ(test_support::FixtureRequestCount(), 0);
}

TEST_F(RuntimeRepairOnWindows, AnInstallerWithTheWrongDigestIsNeverRun) {
  entry_.fileMd5 = "0123456789abcdef0123456789abcdef";
  test_support::ResetFixture();
  EXPECT_FALSE(repair::RepairRuntimeEntry(entry_, cache_ + "wrong\\", CacheOps()).installed);
  EXPECT_GE(test_support::FixtureRequestCount(), 3);
  EXPECT_FALSE(repair::RegistryPathExists(kRegeditName));
}

// The digest names the served file exactly, yet nobody the build trusts signed it.
TEST_F(RuntimeRepairOnWindows, AnInstallerNoTrustedPublisherSignedIsNeverRun) {
  const std::string unsignedInstaller = test_support::WinePath(std::string(SIGNATURE_SAMPLES) + "/unsigned_installer.exe");
  ASSERT_TRUE(CopyFileA(unsignedInstaller.c_str(), served_.c_str(), FALSE));
  entry_.fileMd5 = platform::FileMd5(served_);
  test_support::ResetFixture();
  EXPECT_FALSE(repair::RepairRuntimeEntry(entry_, cache_ + "unsigned\\", CacheOps()).installed);
  EXPECT_GE(test_support::FixtureRequestCount(), 3);
  EXPECT_FALSE(repair::RegistryPathExists(kRegeditName));
}

// Someone on the PC tries to put another program in the installer's place after its digest and
// signature were checked, just before it starts: the file is held, so the swap fails and the
// checked installer is the one that runs.
TEST_F(RuntimeRepairOnWindows, AnInstallerCannotBeSwappedBetweenItsCheckAndItsRun) {
  const std::string impostor = test_support::TempPath("impostor.exe");
  ASSERT_TRUE(CopyFileA(test_support::WinePath(std::string(SIGNATURE_SAMPLES) + "/unsigned_installer.exe").c_str(),
                        impostor.c_str(), FALSE));
  repair::RuntimeRepairOps ops = CacheOps();
  const auto realInstall = ops.install;
  bool swapTried = false, swapped = false;
  ops.install = [&](const std::string& path, const std::string& parameters, const std::string& folder,
                    const repair::InstallWait& wait) {
    swapTried = true;
    swapped = CopyFileA(impostor.c_str(), path.c_str(), FALSE) || MoveFileExA(impostor.c_str(), path.c_str(),
                                                                            MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED);
    return realInstall(path, parameters, folder, wait);
  };
  EXPECT_TRUE(repair::RepairRuntimeEntry(entry_, cache_ + "swap\\", ops).installed);
  EXPECT_TRUE(swapTried);
  EXPECT_FALSE(swapped);
  EXPECT_EQ(platform::FileMd5(cache_ + "swap\\vc_redist.x64.exe"), entry_.fileMd5);
}

TEST_F(RuntimeRepairOnWindows, TheRegistryDecidesNotTheInstaller) {
  entry_.silentParam = "/passive";  // the stand-in changes nothing without its own switches
  EXPECT_FALSE(repair::RepairRuntimeEntry(entry_, cache_ + "switches\\", CacheOps()).installed);
  EXPECT_FALSE(repair::RegistryPathExists(kRegeditName));
}

// Real installers end in other ways than 0: stand-ins that ask for a restart, that find a
// newer version and write nothing, and that never end, run as the repair runs them.
class InstallerEndingsOnWindows : public ::testing::Test {
 protected:
  static constexpr const char* kEndingKey = "SOFTWARE\\TessavaneStandInTest\\Ending";
  void SetUp() override {
    RemoveEndingKey();
    cache_ = test_support::TempPath("Endings") + "\\";
  }
  void TearDown() override {
    EndHangingInstallers();
    RemoveEndingKey();
  }
  static void RemoveEndingKey() {
    for (REGSAM view : {KEY_WOW64_32KEY, KEY_WOW64_64KEY}) RegDeleteKeyExA(HKEY_LOCAL_MACHINE, kEndingKey, view, 0);
  }
  // The hanging stand-in is left running by the repair, as a real one would be.
  static void EndHangingInstallers() {
    std::vector<DWORD> ids;
    platform::FindProcessesByName("hang.exe", ids);
    for (DWORD id : ids) {
      HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id);
      if (!process) continue;
      TerminateProcess(process, 0);
      WaitForSingleObject(process, 5000);
      CloseHandle(process);
    }
  }
  static std::vector<DWORD> HangingInstallers() {
    std::vector<DWORD> ids;
    platform::FindProcessesByName("hang.exe", ids);
    return ids;
  }
  net::CatalogueFile Serve(const char* standIn, const std::string& name) {
    const std::string served = test_support::WinePath(std::string(std::getenv("FIXTURE_FILES")) + "/" + name);
    EXPECT_TRUE(CopyFileA(test_support::WinePath(standIn).c_str(), served.c_str(), FALSE));
    net::CatalogueFile entry;
    entry.downloadUrl = test_support::FixtureUrl("/files/" + name);
    entry.fileMd5 = platform::FileMd5(served);
    entry.regeditName = std::string("HKEY_LOCAL_MACHINE\\") + kEndingKey;
    entry.silentParam = kSwitches;
    return entry;
  }
  std::string cache_;
};

TEST_F(InstallerEndingsOnWindows, ARestartRequestIsToldAndTheRegistryStillDecides) {
  const repair::RuntimeRepairResult result =
      repair::RepairRuntimeEntry(Serve(STANDIN_RESTART, "restart.exe"), cache_, CacheOps());
  EXPECT_TRUE(result.installed);
  EXPECT_TRUE(result.restartPending);
  EXPECT_FALSE(result.newerPresent);
}

TEST_F(InstallerEndingsOnWindows, ANewerVersionReportWithTheKeyMissingFailsAfterOneRun) {
  test_support::ResetFixture();
  const repair::RuntimeRepairResult result =
      repair::RepairRuntimeEntry(Serve(STANDIN_NEWER, "newer.exe"), cache_, CacheOps());
  EXPECT_FALSE(result.installed);
  EXPECT_TRUE(result.newerPresent);
  EXPECT_FALSE(result.restartPending);
  EXPECT_EQ(test_support::FixtureRequestCount(), 1);  // one download, nothing fetched again
  EXPECT_FALSE(repair::RegistryPathExists(std::string("HKEY_LOCAL_MACHINE\\") + kEndingKey));
}

// The limit is injected short; the program's own is fifteen minutes.
TEST_F(InstallerEndingsOnWindows, AnInstallerThatNeverEndsIsWaitedForUpToTheLimit) {
  repair::RuntimeRepairOps ops = CacheOps();
  ops.installWaitLimitMs = 1500;
  const DWORD start = GetTickCount();
  const repair::RuntimeRepairResult result = repair::RepairRuntimeEntry(Serve(STANDIN_HANG, "hang.exe"), cache_, ops);
  const DWORD took = GetTickCount() - start;
  EXPECT_FALSE(result.installed);
  EXPECT_FALSE(result.waitStopped);
  EXPECT_GE(took, 1400u);
  EXPECT_LT(took, 6000u);
  EXPECT_EQ(HangingInstallers().size(), 1u);  // the wait ended, not the installer
}

TEST_F(InstallerEndingsOnWindows, AStopRequestEndsTheWaitPromptlyAndTheEntryFails) {
  const DWORD start = GetTickCount();
  DWORD asked = 0;
  const repair::RuntimeRepairResult result =
      repair::RepairRuntimeEntry(Serve(STANDIN_HANG, "hang.exe"), cache_, CacheOps(), [&] {
        if (GetTickCount() - start < 1000) return false;
        if (!asked) asked = GetTickCount();
        return true;
      });
  const DWORD end = GetTickCount();
  EXPECT_TRUE(result.waitStopped);
  EXPECT_FALSE(result.installed);
  ASSERT_NE(asked, 0u);
  EXPECT_LT(end - asked, 500u);
  EXPECT_EQ(HangingInstallers().size(), 1u);
}

TEST(RegistryPathOnWindows, RootNamesChooseTheHive) {
  HKEY key;
  ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, "Software\\TessavaneRootTest", &key), ERROR_SUCCESS);
  RegCloseKey(key);
  EXPECT_TRUE(repair::RegistryPathExists("HKEY_CURRENT_USER\\Software\\TessavaneRootTest"));
  EXPECT_TRUE(repair::RegistryPathExists("HKLM\\Software\\TessavaneRootTest"));  // not the machine
  EXPECT_FALSE(repair::RegistryPathExists("HKEY_LOCAL_MACHINE\\Software\\TessavaneRootTest"));
  EXPECT_FALSE(repair::RegistryPathExists("\\Software\\TessavaneRootTest"));
  EXPECT_TRUE(repair::RegistryPathExists("HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft"));
  RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\TessavaneRootTest");
}

// The Visual C++ 2015-2022 packages share one key; an older one leaves it behind with its own
// version, which does not meet an entry that asks for a newer one.
class VersionedKeyOnWindows : public ::testing::Test {
 protected:
  static constexpr const char* kSub = "SOFTWARE\\TessavaneStandInTest\\V14";
  void SetUp() override {
    Remove();
    entry_.regeditName = std::string("HKEY_LOCAL_MACHINE\\") + kSub;
    entry_.hasMinVersion = true;
    entry_.minVersion = {14, 40, 33810};
  }
  void TearDown() override { Remove(); }
  static void Remove() {
    for (REGSAM view : {KEY_WOW64_32KEY, KEY_WOW64_64KEY}) RegDeleteKeyExA(HKEY_LOCAL_MACHINE, kSub, view, 0);
  }
  static void Write(REGSAM view, DWORD installed, DWORD major, DWORD minor, DWORD build) {
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kSub, 0, nullptr, 0, KEY_ALL_ACCESS | view, nullptr, &key,
                              nullptr),
              ERROR_SUCCESS);
    const std::pair<const char*, DWORD> values[] = {
        {"Installed", installed}, {"Major", major}, {"Minor", minor}, {"Bld", build}};
    for (const auto& [name, value] : values)
      ASSERT_EQ(RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value),
                ERROR_SUCCESS);
    RegCloseKey(key);
  }
  net::CatalogueFile entry_;
};

TEST_F(VersionedKeyOnWindows, CountsOnlyAnInstalledKeyThatReachesTheVersionInEitherView) {
  for (REGSAM view : {KEY_WOW64_32KEY, KEY_WOW64_64KEY}) {
    SCOPED_TRACE(view == KEY_WOW64_32KEY ? "32-bit view" : "64-bit view");
    EXPECT_FALSE(repair::RuntimeKeyInstalled(entry_));
    Write(view, 1, 14, 40, 33809);  // an older build
    EXPECT_FALSE(repair::RuntimeKeyInstalled(entry_));
    EXPECT_TRUE(repair::RegistryPathExists(entry_.regeditName));  // the key alone is there
    Write(view, 1, 14, 40, 33810);
    EXPECT_TRUE(repair::RuntimeKeyInstalled(entry_));
    Write(view, 1, 14, 42, 100);  // newer minor, smaller build
    EXPECT_TRUE(repair::RuntimeKeyInstalled(entry_));
    Write(view, 1, 13, 99, 99999);  // older major, larger rest
    EXPECT_FALSE(repair::RuntimeKeyInstalled(entry_));
    Write(view, 0, 14, 44, 0);  // uninstalled, values left behind
    EXPECT_FALSE(repair::RuntimeKeyInstalled(entry_));
    Remove();
  }
  // An old version in one view and a new one in the other: the new one counts.
  Write(KEY_WOW64_32KEY, 1, 14, 0, 23026);
  Write(KEY_WOW64_64KEY, 1, 14, 40, 33816);
  EXPECT_TRUE(repair::RuntimeKeyInstalled(entry_));
  // Without a version the key alone decides, as before.
  Remove();
  Write(KEY_WOW64_32KEY, 0, 1, 0, 0);
  entry_.hasMinVersion = false;
  EXPECT_TRUE(repair::RuntimeKeyInstalled(entry_));
}

TEST_F(VersionedKeyOnWindows, VersionValuesThatAreMissingOrNotDwordsDoNotCount) {
  Write(KEY_WOW64_32KEY, 1, 14, 40, 40000);
  HKEY key;
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSub, 0, KEY_ALL_ACCESS | KEY_WOW64_32KEY, &key), ERROR_SUCCESS);
  ASSERT_EQ(RegSetValueExA(key, "Bld", 0, REG_SZ, reinterpret_cast<const BYTE*>("40000"), 6), ERROR_SUCCESS);
  EXPECT_FALSE(repair::RuntimeKeyInstalled(entry_));
  ASSERT_EQ(RegDeleteValueA(key, "Bld"), ERROR_SUCCESS);
  EXPECT_FALSE(repair::RuntimeKeyInstalled(entry_));
  const uint64_t wide = 40000;
  ASSERT_EQ(RegSetValueExA(key, "Bld", 0, REG_QWORD, reinterpret_cast<const BYTE*>(&wide), sizeof wide),
            ERROR_SUCCESS);
  EXPECT_FALSE(repair::RuntimeKeyInstalled(entry_));
  RegCloseKey(key);
}

// None of the runtimes' real keys has a default value, only named values ("Installed",
// "Version", ...). A query of the default value would fail with ERROR_FILE_NOT_FOUND on
// them, so the test is whether the key opens, in either view.
TEST(RegistryPathOnWindows, AKeyWithOnlyNamedValuesCountsAsInstalledInEitherView) {
  const char sub[] = "SOFTWARE\\TessavaneStandInTest\\NamedOnly";
  const std::string path = std::string("HKEY_LOCAL_MACHINE\\") + sub;
  for (REGSAM view : {KEY_WOW64_32KEY, KEY_WOW64_64KEY}) {
    SCOPED_TRACE(view == KEY_WOW64_32KEY ? "32-bit view" : "64-bit view");
    EXPECT_FALSE(repair::RegistryPathExists(path));
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, sub, 0, nullptr, 0, KEY_ALL_ACCESS | view,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    DWORD one = 1;
    ASSERT_EQ(RegSetValueExA(key, "Installed", 0, REG_DWORD, reinterpret_cast<BYTE*>(&one), sizeof one),
              ERROR_SUCCESS);
    // The key really has no default value.
    EXPECT_EQ(RegQueryValueExA(key, nullptr, nullptr, nullptr, nullptr, nullptr), ERROR_FILE_NOT_FOUND);
    RegCloseKey(key);
    EXPECT_TRUE(repair::RegistryPathExists(path));
    EXPECT_EQ(RegDeleteKeyExA(HKEY_LOCAL_MACHINE, sub, view, 0), ERROR_SUCCESS);
  }
  // A key with a default value and nothing else counts as well.
  HKEY key;
  ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, "Software\\TessavaneDefaultOnly", &key), ERROR_SUCCESS);
  ASSERT_EQ(RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>("x"), 2), ERROR_SUCCESS);
  RegCloseKey(key);
  EXPECT_TRUE(repair::RegistryPathExists("HKEY_CURRENT_USER\\Software\\TessavaneDefaultOnly"));
  RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\TessavaneDefaultOnly");
}

}  // namespace
