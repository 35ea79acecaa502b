// The game sub-page of the advanced functions page in the real main frame under Wine, on the
// catalogue that the header loads from the real catalogue server with the demo catalogue:
// launcher and runtime keys of the test prefix's registry decide what is installed, repairs
// run the server's stand-in installers and copy its stand-in DLLs, and a stand-in system file
// checker in the native system folder notes each start.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "app/game_system_ops.h"
#include "app/network_system_ops.h"
#include "functions/function_window.h"
#include "platform/files_and_folders.h"
#include "platform/text_conversion.h"
#include "net/user_paths.h"
#include "repair/registry_path.h"
#include "repair/runtime_repair.h"
#include "repair/system_file_checker.h"
#include "repair_page_support.h"
#include "shell_test_support.h"
#include "ui/win/container.h"
#include "ui/win/label.h"
#include "wine_path.h"

namespace {

constexpr int kFunctionPage = 4;
constexpr uint32_t kWaiting = 0xFF1E90FF, kPlain = 0xFF000000, kGood = 0xFF2BA715,
                   kFault = 0xFFFF3400;
// A status label's text and colour.
using Status = std::pair<std::wstring, uint32_t>;
const Status kSkipped{L"未安装跳过扫描...", kPlain};
const Status kNormal{L"扫描完毕环境正常", kGood};
const Status kAbnormal{L"扫描完毕发现异常", kFault};

const char kSteam[] = "SOFTWARE\\Valve\\Steam";
const char kEa[] = "SOFTWARE\\EA";
const char kRockstar[] = "SOFTWARE\\Rockstar Games\\Launcher";
const char kEpic[] = "SOFTWARE\\Epic Games";
// The registry view that this program does not see on its own.
constexpr REGSAM kOtherView = sizeof(void*) == 4 ? KEY_WOW64_64KEY : KEY_WOW64_32KEY;

// Where the 64-bit system files are, seen from this program.
std::string NativeSystemFolder() {
  return sizeof(void*) == 4 ? "C:\\windows\\sysnative\\" : "C:\\windows\\system32\\";
}

bool Exists(const std::string& path) {
  return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void CreateKey(HKEY root, const std::string& subKey, REGSAM view = 0) {
  HKEY key = nullptr;
  ASSERT_EQ(::RegCreateKeyExA(root, subKey.c_str(), 0, nullptr, 0, KEY_WRITE | view, nullptr,
                              &key, nullptr),
            ERROR_SUCCESS);
  ::RegCloseKey(key);
}

void DeleteKeyEverywhere(HKEY root, const std::string& subKey) {
  for (REGSAM view : {KEY_WOW64_32KEY, KEY_WOW64_64KEY})
    ::RegDeleteKeyExA(root, subKey.c_str(), view, 0);
}

// The frame as the program builds it, but with the game pauses of the test.
class GameFrame : public app::MainFrameWindow {
 public:
  GameFrame(app::AppState& state, const std::string& url, functions::GamePauses pauses)
      : MainFrameWindow(state, url), pauses_(pauses) {}

 protected:
  app::PageWindow* CreatePage(int index) override {
    if (index != kFunctionPage) return MainFrameWindow::CreatePage(index);
    functions::GameSystemOps machine = app::ProgramGameSystemOps(state_);
    machine.pauses = pauses_;
    return new functions::FunctionWindow(&m_PaintManager, app::ProgramNetworkSystemOps(), machine);
  }

 private:
  functions::GamePauses pauses_;
};

class GamePage : public RepairPageTest {
 protected:
  void SetUp() override {
    if (std::getenv("TESSA_PROXY_URL") == nullptr)
      GTEST_SKIP() << "run by with-catalogue-server";
    char temp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, temp);
    checkerLog_ = std::string(temp) + "tessa_game_checker.log";
    ::SetEnvironmentVariableA("TESSA_CHECKER_LOG", checkerLog_.c_str());
    ::DeleteFileA(checkerLog_.c_str());
    ASSERT_TRUE(::CopyFileA(test_support::WinePath(CHECKER_STANDIN).c_str(), Checker().c_str(),
                            FALSE));
    for (const char* launcher : {kSteam, kEa, kRockstar, kEpic}) RemoveLauncher(launcher);
    RepairPageTest::SetUp();
    OpenSubpage();
    RemoveRuntimeKeysAndFiles();
  }
  void TearDown() override {
    if (!IsSkipped()) {
      RemoveRuntimeKeysAndFiles();
      for (const char* launcher : {kSteam, kEa, kRockstar, kEpic}) RemoveLauncher(launcher);
      ::DeleteFileA(Checker().c_str());
      ::DeleteFileA(checkerLog_.c_str());
    }
    RepairPageTest::TearDown();
  }
  app::MainFrameWindow* NewFrame() override {
    return new GameFrame(state_, std::getenv("TESSA_PROXY_URL"), pauses_);
  }

  // Waits for the header's catalogue (the system list comes last), then opens the sub-page
  // as the user does: the header's tab, then the tile.
  void OpenSubpage() {
    ASSERT_TRUE(PumpUntil([&] { return !state_.SystemFiles()->empty(); }, 30000));
    ASSERT_FALSE(state_.RuntimeFiles()->empty());
    ASSERT_FALSE(state_.DxFiles()->empty());
    Click(L"system_function");
    ASSERT_TRUE(PumpUntil([&] { return frame_->CurrentPage() == kFunctionPage; }, 3000));
    Click(L"function_game_btn");
  }
  static std::string Checker() { return NativeSystemFolder() + "sfc.exe"; }
  static void RemoveLauncher(const char* key) {
    ::RegDeleteKeyA(HKEY_CURRENT_USER, key);
    DeleteKeyEverywhere(HKEY_LOCAL_MACHINE, key);
  }
  // What earlier tests installed or copied goes, so every game entry of the catalogue is
  // missing at the start, as on a fresh machine.
  void RemoveRuntimeKeysAndFiles() {
    for (const net::CatalogueFile& entry : *state_.RuntimeFiles()) {
      repair::RegistryPath path;
      if (repair::ParseRegistryPath(entry.regeditName, path))
        DeleteKeyEverywhere(path.localMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER,
                            path.subKey);
      ::DeleteFileA(
          repair::RuntimeInstallerPath(entry, net::RundllFolder(platform::RepairCacheBase())).c_str());
    }
    for (int i = 0; i < 40; ++i) {
      const std::string name = TestDll(i);
      for (const std::string& folder :
           {NativeSystemFolder(), std::string("C:\\windows\\syswow64\\"),
            std::string("C:\\windows\\system32\\"), net::DirectXFolder(platform::RepairCacheBase(), 0),
            net::DirectXFolder(platform::RepairCacheBase(), 1)})
        ::DeleteFileA((folder + name).c_str());
    }
  }
  static std::string TestDll(int i) { return "tessa_game_" + std::to_string(i) + ".dll"; }
  // A DirectX entry of the catalogue (its file on the server, its digest) under a name that
  // the prefix does not have.
  net::CatalogueFile MissingDirectX(int i, int systemBit) const {
    for (const net::CatalogueFile& entry : *state_.DxFiles())
      if (entry.systemBit == systemBit) {
        net::CatalogueFile copy = entry;
        copy.id = 1000 + i;
        copy.fileName = TestDll(i);
        copy.filePath = "C:\\Windows\\System32\\" + copy.fileName;
        return copy;
      }
    ADD_FAILURE() << "no DirectX entry of systemBit " << systemBit;
    return {};
  }
  net::CatalogueList GameEntries() const {
    net::CatalogueList game;
    for (const net::CatalogueFile& entry : *state_.RuntimeFiles())
      if (entry.gameRepair) game.push_back(entry);
    return game;
  }
  static void Install(const net::CatalogueFile& entry) {
    repair::RegistryPath path;
    ASSERT_TRUE(repair::ParseRegistryPath(entry.regeditName, path));
    CreateKey(path.localMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER, path.subKey);
  }

  DuiLib::CContainerUI* Container(DuiLib::CControlUI* control) const {
    return DuiLib::ControlAs<DuiLib::CContainerUI>(control);
  }
  DuiLib::CContainerUI* RowAt(int i) const {
    DuiLib::CContainerUI* list = Container(Control(L"function_game_list"));
    return list && i < list->GetCount() ? Container(list->GetItemAt(i)) : nullptr;
  }
  std::vector<Status> Statuses() const {
    std::vector<Status> statuses;
    for (int i = 0; DuiLib::CContainerUI* row = RowAt(i); ++i) {
      auto* label = static_cast<DuiLib::CLabelUI*>(row->GetItemAt(3)->GetInterface(L"Label"));
      statuses.push_back({label->GetText(), label->GetTextColor()});
    }
    return statuses;
  }
  bool Enabled(const wchar_t* name) const { return Control(name)->IsEnabled(); }
  // Check shown and enabled, repair shown and enabled, back enabled.
  std::vector<bool> Buttons() const {
    return {Visible(L"function_game_check"), Enabled(L"function_game_check"),
            Visible(L"function_game_repair"), Enabled(L"function_game_repair"),
            Enabled(L"function_game_back")};
  }
  // Runs the loop until the run has given the back button back.
  bool Finished(DWORD timeoutMs = 20000) {
    return PumpUntil([&] { return Enabled(L"function_game_back"); }, timeoutMs);
  }
  bool CheckAndWait() {
    Click(L"function_game_check");
    return Finished();
  }
  std::string CheckerStarts() const {
    std::ifstream log(checkerLog_);
    std::stringstream text;
    text << log.rdbuf();
    return text.str();
  }
  // Closes the frame as the program's end does and answers how long that took.
  DWORD CloseFrame() {
    const DWORD start = ::GetTickCount();
    ::DestroyWindow(frame_->GetHWND());
    PumpFor(0);
    frame_.reset();
    return ::GetTickCount() - start;
  }

  functions::GamePauses pauses_{100, 300, 5, 20};
  std::string checkerLog_;
};

const std::vector<bool> kReady = {true, true, false, true, true};
const std::vector<bool> kMissingFound = {false, true, true, true, true};

TEST_F(GamePage, WithNoLauncherFourRowsAreSkippedAndTheSharedEnvironmentIsStillChecked) {
  // The opened sub-page: Ready, and the five platforms waiting.
  EXPECT_EQ(Text(L"function_game_text"), L"全面检测电脑游戏环境");
  EXPECT_EQ(Buttons(), kReady);
  const wchar_t* const names[] = {L"Steam", L"EA", L"Rockstar Games", L"EPIC", L"公共游戏环境"};
  for (int i = 0; i < 5; ++i) {
    DuiLib::CContainerUI* row = RowAt(i);
    ASSERT_NE(row, nullptr);
    ASSERT_EQ(row->GetCount(), 4);
    EXPECT_EQ(row->GetFixedHeight(), 48);
    EXPECT_EQ(row->GetItemAt(0)->GetFixedWidth(), 24);
    EXPECT_EQ(row->GetItemAt(1)->GetFixedWidth(), 52);
    EXPECT_EQ(row->GetItemAt(2)->GetFixedWidth(), 560);
    EXPECT_EQ(row->GetItemAt(2)->GetText(), names[i]);
  }
  EXPECT_EQ(RowAt(5), nullptr);
  EXPECT_EQ(Statuses(), std::vector<Status>(5, Status{L"等待扫描", kWaiting}));

  Click(L"function_game_check");
  // Checking: the check button stays, disabled, and there is no way back.
  EXPECT_EQ(Buttons(), (std::vector<bool>{true, false, false, true, false}));
  std::vector<std::wstring> texts;
  ASSERT_TRUE(PumpUntil(
      [&] {
        const std::wstring text = Text(L"function_game_text");
        if (texts.empty() || texts.back() != text) texts.push_back(text);
        return Enabled(L"function_game_back");
      },
      20000));
  ASSERT_GE(texts.size(), 2u);
  EXPECT_EQ(texts[texts.size() - 2], L"正在扫描 公共游戏环境 ");
  EXPECT_EQ(texts.back(), L"发现游戏环境缺失 建议修复");
  // A fresh prefix has none of the catalogue's game runtimes.
  EXPECT_EQ(Statuses(),
            (std::vector<Status>{kSkipped, kSkipped, kSkipped, kSkipped, kAbnormal}));
  EXPECT_EQ(Buttons(), kMissingFound);

  // Reopened, the sub-page is Ready again and checks anew.
  Click(L"function_game_back");
  EXPECT_TRUE(Visible(L"function_normal"));
  Click(L"function_game_btn");
  EXPECT_EQ(Buttons(), kReady);
  EXPECT_EQ(Statuses(), std::vector<Status>(5, Status{L"等待扫描", kWaiting}));
  EXPECT_EQ(Text(L"function_game_text"), L"全面检测电脑游戏环境");
  ASSERT_TRUE(CheckAndWait());
  EXPECT_EQ(Statuses().back(), kAbnormal);
}

// Steam counts for the user alone; the other launchers only for the machine, in this
// program's own registry view. Runtime entries that games do not need stay missing and are
// never looked at.
TEST_F(GamePage, WithEveryGameEntryPresentNothingIsOfferedAndOnlyTheRightLauncherKeysCount) {
  const net::CatalogueList game = GameEntries();
  ASSERT_FALSE(game.empty());
  ASSERT_GT(state_.RuntimeFiles()->size(), game.size());  // entries that games do not need
  for (const net::CatalogueFile& entry : game) Install(entry);
  CreateKey(HKEY_CURRENT_USER, kSteam);
  CreateKey(HKEY_CURRENT_USER, kEa);
  CreateKey(HKEY_LOCAL_MACHINE, kRockstar, kOtherView);
  CreateKey(HKEY_LOCAL_MACHINE, kEpic);
  ASSERT_TRUE(CheckAndWait());
  EXPECT_EQ(Statuses(), (std::vector<Status>{kNormal, kSkipped, kSkipped, kNormal, kNormal}));
  EXPECT_EQ(Text(L"function_game_text"), L"游戏运行库完整 无需修复");
  EXPECT_EQ(Buttons(), kReady);

  if (const char* ready = std::getenv("TESSA_GAME_SCREENSHOT")) {
    // For a picture of the sub-page: a mixed result, held on screen for the picture taker.
    RemoveRuntimeKeysAndFiles();
    ASSERT_TRUE(CheckAndWait());
    std::ofstream(ready) << "ready\n";
    PumpFor(6000);
  }
}

TEST_F(GamePage, ARepairInstallsTheRuntimesAndCopiesTheDirectXFilesThenLooksAgain) {
  net::CatalogueList directx = *state_.DxFiles();
  directx.push_back(MissingDirectX(0, 1));
  directx.push_back(MissingDirectX(1, 0));
  state_.ReplaceDxFiles(directx);
  CreateKey(HKEY_LOCAL_MACHINE, kEpic);
  ASSERT_TRUE(CheckAndWait());
  EXPECT_EQ(Statuses(), (std::vector<Status>{kSkipped, kSkipped, kSkipped, kAbnormal, kAbnormal}));

  Click(L"function_game_repair");
  EXPECT_EQ(Buttons(), (std::vector<bool>{false, true, true, false, false}));
  // The texts seen while it runs, each one of these in this order: DirectX files first.
  std::vector<std::wstring> expected = {L"正在修复中，请稍后...",
                                        L"正在修复：" + platform::AnsiToWide(TestDll(0).c_str()),
                                        L"正在修复：" + platform::AnsiToWide(TestDll(1).c_str())};
  for (const net::CatalogueFile& entry : GameEntries())
    expected.push_back(L"正在修复：" + platform::DisplayTextToWide(entry.fileName));
  expected.push_back(L"游戏环境修复完毕");
  size_t next = 0;
  std::vector<std::wstring> unexpected;
  std::wstring last = Text(L"function_game_text");
  ASSERT_TRUE(PumpUntil(
      [&] {
        const std::wstring text = Text(L"function_game_text");
        if (text != last) {
          while (next < expected.size() && expected[next] != text) ++next;
          if (next == expected.size()) unexpected.push_back(text);
          last = text;
        }
        return Enabled(L"function_game_back");
      },
      60000));
  EXPECT_TRUE(unexpected.empty()) << unexpected.size();
  EXPECT_EQ(last, L"游戏环境修复完毕");
  EXPECT_EQ(Statuses(), (std::vector<Status>{kSkipped, kSkipped, kSkipped, kNormal, kNormal}));
  EXPECT_EQ(Buttons(), kReady);

  // Really there: every game runtime's key, and each file in its own system folder.
  for (const net::CatalogueFile& entry : GameEntries())
    EXPECT_TRUE(repair::RegistryPathExists(entry.regeditName)) << entry.fileName;
  EXPECT_TRUE(Exists(NativeSystemFolder() + TestDll(0)));
  EXPECT_TRUE(Exists("C:\\Windows\\System32\\" + TestDll(1)));  // as this program sees it
  // The checker was started once, hidden work of its own that nobody waits for.
  EXPECT_EQ(CheckerStarts().find("/SCANNOW") != std::string::npos, true) << CheckerStarts();
  EXPECT_EQ(CheckerStarts().find('\n'), CheckerStarts().size() - 1);
  // In the system folder the checker itself knows, named with single backslashes.
  EXPECT_EQ(CheckerStarts().rfind("cwd=C:\\windows\\System32 cmd=", 0), 0u) << CheckerStarts();
  EXPECT_EQ(CheckerStarts().find("\\\\"), std::string::npos) << CheckerStarts();

  ASSERT_TRUE(CheckAndWait());
  EXPECT_EQ(Text(L"function_game_text"), L"游戏运行库完整 无需修复");
}

// The game runtime left is fetched through the recording proxy from a place where the server
// has no file: it answers 404, and the repair ends with the fault still shown.
TEST_F(GamePage, AFailedDownloadEndsWithTheFaultShownAndARunningCheckerIsNotStartedAgain) {
  // The entries that games do not need, and one that they do.
  net::CatalogueList runtime;
  for (const net::CatalogueFile& entry : *state_.RuntimeFiles())
    if (!entry.gameRepair) runtime.push_back(entry);
  ASSERT_FALSE(GameEntries().empty());
  runtime.push_back(GameEntries().front());
  net::CatalogueFile& broken = runtime.back();
  broken.downloadUrl = std::string(std::getenv("TESSA_PROXY_URL")) + "/files/runtime/tessa-absent.exe";
  const std::wstring brokenName = platform::DisplayTextToWide(broken.fileName);
  const std::string brokenKey = broken.regeditName;
  state_.ReplaceRuntimeFiles(runtime);

  // A checker of the user's own is at work already.
  char temp[MAX_PATH];
  ::GetTempPathA(MAX_PATH, temp);
  const std::string running = std::string(temp) + "tessa_game_own\\SFC.EXE";
  ::CreateDirectoryA((std::string(temp) + "tessa_game_own").c_str(), nullptr);
  ASSERT_TRUE(::CopyFileA(test_support::WinePath(SLEEPER).c_str(), running.c_str(), FALSE));
  std::string command = "\"" + running + "\" 60000";
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  ASSERT_TRUE(::CreateProcessA(running.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &startup, &process));

  CreateKey(HKEY_CURRENT_USER, kSteam);
  ASSERT_TRUE(CheckAndWait());
  Click(L"function_game_repair");
  const bool finished = Finished(60000);
  ::TerminateProcess(process.hProcess, 0);
  ::WaitForSingleObject(process.hProcess, 5000);
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
  ::DeleteFileA(running.c_str());
  ASSERT_TRUE(finished);

  EXPECT_EQ(Statuses(),
            (std::vector<Status>{kAbnormal, kSkipped, kSkipped, kSkipped, kAbnormal}));
  EXPECT_EQ(Text(L"function_game_text"), L"修复未完成，仍缺失1项：" + brokenName);
  EXPECT_EQ(Buttons(), kMissingFound);
  EXPECT_FALSE(repair::RegistryPathExists(brokenKey));
  std::ifstream proxyLog(test_support::WinePath(std::getenv("TESSA_PROXY_LOG")));
  int asked = 0;
  for (std::string line; std::getline(proxyLog, line);)
    if (line.rfind("/files/runtime/tessa-absent.exe", 0) == 0) ++asked;
  EXPECT_GE(asked, 1);
  EXPECT_EQ(CheckerStarts(), "");
}

// Closing the program mid-run: the workers write into the sub-page's controls, so the page
// stops them and waits; the page kind's job marks, kept for the process, are free again.
TEST_F(GamePage, ClosingTheFrameDuringARepairStopsAfterTheEntryInHand) {
  // Enough missing DirectX files for the repair to be closed half-way.
  net::CatalogueList directx;
  for (int i = 0; i < 40; ++i) directx.push_back(MissingDirectX(i, 0));
  state_.ReplaceDxFiles(directx);
  ASSERT_TRUE(CheckAndWait());
  Click(L"function_game_repair");
  ASSERT_TRUE(PumpUntil(
      [&] { return Text(L"function_game_text") == L"正在修复：" + std::wstring(L"tessa_game_2.dll"); },
      20000));
  EXPECT_LT(CloseFrame(), 2000u);
  EXPECT_FALSE(Exists("C:\\Windows\\System32\\" + TestDll(39)));

  frame_.reset(NewFrame());
  ASSERT_NE(frame_->Create(nullptr, L"repair page test", 0x10CE0000, 0x100, 0, 0, 0, 0), nullptr);
  OpenSubpage();
  ASSERT_TRUE(CheckAndWait());
  EXPECT_EQ(Buttons(), kMissingFound);
}

// The program closes while the repair downloads from a server that sends a byte a second (no
// stall limit catches it): the download hears the page's stop, no further try starts, and the
// frame goes within about a second.
TEST_F(GamePage, ClosingTheFrameDuringASlowDownloadEndsTheDownload) {
  net::CatalogueFile slow = MissingDirectX(0, 0);
  slow.downloadUrl = std::string(std::getenv("TESSA_PROXY_URL")) + "/files/directx/tessa-loris.dll";
  state_.ReplaceDxFiles({slow});
  {
    std::ofstream rules(UnixPathFromEnvironment("TESSA_PROXY_RULES"), std::ios::trunc);
    rules << "/files/directx/tessa-loris.dll loris\n";
  }
  ASSERT_TRUE(CheckAndWait());
  Click(L"function_game_repair");
  ASSERT_TRUE(PumpUntil([&] { return Text(L"function_game_text") == L"正在修复：tessa_game_0.dll"; }, 20000));
  PumpFor(1500);  // the download is at work
  EXPECT_LT(CloseFrame(), 2500u);
  std::ofstream(UnixPathFromEnvironment("TESSA_PROXY_RULES"), std::ios::trunc);
  std::ifstream proxyLog(test_support::WinePath(std::getenv("TESSA_PROXY_LOG")));
  int asked = 0;
  for (std::string line; std::getline(proxyLog, line);)
    if (line.rfind("/files/directx/tessa-loris.dll", 0) == 0) ++asked;
  EXPECT_EQ(asked, 1);  // no further try after the stop
}

// With the program's own pauses: 2 to 6 seconds for an installed platform, half a second for
// one that is not; and none of them holds the program's end up.
class GamePageWithProgramPauses : public GamePage {
 protected:
  GamePageWithProgramPauses() { pauses_ = functions::GamePauses(); }
};

TEST_F(GamePageWithProgramPauses, ClosingTheFrameDuringACheckEndsItAtOnce) {
  CreateKey(HKEY_CURRENT_USER, kSteam);
  Click(L"function_game_check");
  ASSERT_TRUE(PumpUntil([&] { return Statuses()[0].first == L"正在扫描..."; }, 5000));
  PumpFor(200);
  EXPECT_LT(CloseFrame(), 1000u);

  // A new frame's sub-page checks again, at the program's pace.
  RemoveLauncher(kSteam);
  frame_.reset(NewFrame());
  ASSERT_NE(frame_->Create(nullptr, L"repair page test", 0x10CE0000, 0x100, 0, 0, 0, 0), nullptr);
  OpenSubpage();
  const DWORD start = ::GetTickCount();
  ASSERT_TRUE(CheckAndWait());
  const DWORD took = ::GetTickCount() - start;
  EXPECT_GE(took, 4 * 500u + 2000u - 50u);
  EXPECT_LE(took, 4 * 500u + 6000u + 3000u);
  EXPECT_EQ(Statuses(), (std::vector<Status>{kSkipped, kSkipped, kSkipped, kSkipped, kAbnormal}));
}

}  // namespace
