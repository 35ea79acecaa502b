// The game check and repair without Windows: platforms found through a stand-in registry,
// entries judged and repaired by stand-ins that record what was asked of them, and a display
// that records what it was told.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "functions/game_findings.h"
#include "functions/game_sequence.h"

namespace {

using functions::GameFindings;
using functions::RegistryHive;

constexpr uint32_t kWaiting = 0xFF1E90FF, kPlain = 0xFF000000, kGood = 0xFF2BA715,
                   kFault = 0xFFFF3400;

net::CatalogueFile Entry(const std::string& name, bool gameRepair = true) {
  net::CatalogueFile entry;
  entry.fileName = name;
  entry.gameRepair = gameRepair;
  return entry;
}

std::vector<std::string> Names(const net::CatalogueList& list) {
  std::vector<std::string> names;
  for (const net::CatalogueFile& entry : list) names.push_back(entry.fileName);
  return names;
}

std::wstring Wide(const std::string& text) { return std::wstring(text.begin(), text.end()); }

// Registry keys present, as "HKCU\..." or "HKLM\...".
struct StandInRegistry {
  std::set<std::string> keys;
  functions::RegistryKeyProbe Probe() {
    return [this](RegistryHive hive, const std::string& subKey) {
      return keys.count((hive == RegistryHive::kCurrentUser ? "HKCU\\" : "HKLM\\") + subKey) > 0;
    };
  }
};

TEST(GamePlatforms, SteamCountsForTheUserOrTheMachineTheOtherLaunchersOnlyForTheMachine) {
  const std::string steam = "SOFTWARE\\Valve\\Steam";
  struct Case {
    std::set<std::string> keys;
    std::vector<bool> installed;  // Steam, EA, Rockstar Games, EPIC, 公共游戏环境
  };
  const Case cases[] = {
      {{}, {false, false, false, false, true}},
      {{"HKCU\\" + steam}, {true, false, false, false, true}},
      {{"HKLM\\" + steam}, {true, false, false, false, true}},
      {{"HKCU\\SOFTWARE\\EA", "HKCU\\SOFTWARE\\Rockstar Games\\Launcher",
        "HKCU\\SOFTWARE\\Epic Games"},
       {false, false, false, false, true}},
      {{"HKLM\\SOFTWARE\\EA", "HKLM\\SOFTWARE\\Rockstar Games\\Launcher",
        "HKLM\\SOFTWARE\\Epic Games"},
       {false, true, true, true, true}},
      // A parent key alone is not the launcher's key.
      {{"HKLM\\SOFTWARE\\Valve", "HKLM\\SOFTWARE\\Rockstar Games"},
       {false, false, false, false, true}},
  };
  for (const Case& c : cases) {
    StandInRegistry registry{c.keys};
    std::vector<bool> installed;
    for (const functions::GamePlatform& platform : functions::kGamePlatforms)
      installed.push_back(functions::PlatformInstalled(platform, registry.Probe()));
    EXPECT_EQ(installed, c.installed) << (c.keys.empty() ? "" : *c.keys.begin());
  }
}

TEST(GameFindingsTest, OnlyGameEntriesAreJudgedAndEveryDirectXFileIsInOrder) {
  std::vector<std::string> judged;
  functions::GameProbes probes{
      [&](const net::CatalogueFile& e) {
        judged.push_back(e.fileName);
        return e.fileName == "present.exe";
      },
      [&](const net::CatalogueFile& e) {
        judged.push_back(e.fileName);
        return e.fileName == "here.dll";
      }};
  const GameFindings findings = functions::CollectGameFindings(
      {Entry("b.exe"), Entry("not-for-games.exe", false), Entry("present.exe"), Entry("a.exe")},
      {Entry("x.dll", false), Entry("here.dll"), Entry("y.dll")}, probes);
  EXPECT_EQ(judged, (std::vector<std::string>{"b.exe", "present.exe", "a.exe", "x.dll",
                                              "here.dll", "y.dll"}));
  EXPECT_EQ(Names(findings.runtime), (std::vector<std::string>{"b.exe", "a.exe"}));
  EXPECT_EQ(Names(findings.directx), (std::vector<std::string>{"x.dll", "y.dll"}));
  EXPECT_TRUE(findings.Faulty());
  EXPECT_FALSE(functions::CollectGameFindings({Entry("present.exe")}, {Entry("here.dll")}, probes)
                   .Faulty());
}

TEST(GameFindingsTest, TheClosingLineNamesWhatIsStillMissingDirectXFirst) {
  GameFindings findings;
  findings.runtime = {Entry("vc2010.exe")};
  findings.directx = {Entry("d3dx9_43.dll")};
  EXPECT_EQ(functions::StillMissingText(findings, Wide),
            L"修复未完成，仍缺失2项：d3dx9_43.dll、vc2010.exe");
  findings.runtime = {Entry("a.exe"), Entry("b.exe"), Entry("c.exe")};
  EXPECT_EQ(functions::StillMissingText(findings, Wide),
            L"修复未完成，仍缺失4项：d3dx9_43.dll、a.exe、b.exe等");
}

// One line per thing shown, in order.
struct RecordingDisplay : functions::GameDisplay {
  std::vector<std::wstring> log;
  bool checkShown = true, checkEnabled = true, repairShown = false, repairEnabled = true;
  bool backEnabled = true;
  std::wstring text;

  static std::wstring Colour(uint32_t c) {
    return c == kWaiting ? L"blue" : c == kPlain ? L"black" : c == kGood ? L"green"
           : c == kFault ? L"red" : L"?";
  }
  void ShowStatus(int platform, const std::wstring& status, uint32_t colour) override {
    log.push_back(std::to_wstring(platform) + L" " + status + L" " + Colour(colour));
  }
  void ShowText(const std::wstring& shown) override {
    text = shown;
    log.push_back(L"text " + shown);
  }
  void SetCheckButton(bool shown, bool enabled) override {
    checkShown = shown;
    checkEnabled = enabled;
  }
  void SetRepairButton(bool shown, bool enabled) override {
    repairShown = shown;
    repairEnabled = enabled;
  }
  void SetBackEnabled(bool enabled) override { backEnabled = enabled; }
  // Check shown and enabled, repair shown and enabled, back enabled.
  std::vector<bool> Buttons() const {
    return {checkShown, checkEnabled, repairShown, repairEnabled, backEnabled};
  }
};

const std::vector<bool> kReady = {true, true, false, true, true};
const std::vector<bool> kMissingFound = {false, true, true, true, true};

// A machine whose entries are missing until repaired, unless a repair is set to fail.
struct StandInMachine {
  StandInRegistry registry;
  net::CatalogueList runtime{Entry("vc2010.exe"), Entry("vc2015.exe")};
  net::CatalogueList directx{Entry("d3dx9_43.dll")};
  std::set<std::string> present, failing, restarting;
  std::vector<std::string> calls;
  std::vector<unsigned> pauses;
  int stopAfterPauses = -1;  // the run is told to stop at this pause
  std::function<void()> onRepair;  // runs as a repair starts, before it asks whether to stop
  std::vector<bool> stopAnswers;  // what each repair heard when it asked

  functions::GameSystemOps Machine() {
    functions::GameSystemOps m;
    m.keyExists = registry.Probe();
    m.collect = [this] {
      calls.push_back("collect");
      auto here = [this](const net::CatalogueFile& e) { return present.count(e.fileName) > 0; };
      return functions::CollectGameFindings(runtime, directx, {here, here});
    };
    m.startChecker = [this] { calls.push_back("checker"); };
    auto repairOne = [this](const net::CatalogueFile& e, const functions::GameSystemOps::StopRequested& stop) {
      calls.push_back("repair " + e.fileName);
      if (onRepair) onRepair();
      stopAnswers.push_back(stop());
      const bool restart = restarting.count(e.fileName) > 0;
      if (failing.count(e.fileName)) return functions::GameSystemOps::RepairOutcome{false, restart};
      present.insert(e.fileName);
      return functions::GameSystemOps::RepairOutcome{true, restart};
    };
    m.repairDirectX = repairOne;
    m.repairRuntime = repairOne;
    m.nameOf = Wide;
    m.pauses = {200, 600, 5, 50};
    return m;
  }
  functions::RunControl Control() {
    return {[this](unsigned ms) {
              pauses.push_back(ms);
              return stopAfterPauses < 0 || static_cast<int>(pauses.size()) < stopAfterPauses;
            },
            [this] { return stopAfterPauses < 0 || static_cast<int>(pauses.size()) < stopAfterPauses; }};
  }
};

struct GameRun {
  StandInMachine stand;
  functions::GameSystemOps machine = stand.Machine();
  RecordingDisplay display;
  functions::GameSequence sequence{machine, display};

  bool Check() {
    sequence.ShowReady();
    sequence.BeginCheck();
    EXPECT_TRUE(display.checkShown);
    EXPECT_FALSE(display.checkEnabled);
    EXPECT_FALSE(display.backEnabled);
    display.log.clear();
    if (!sequence.RunCheck(stand.Control())) return false;
    sequence.FinishCheck();
    return true;
  }
  bool Repair() {
    sequence.BeginRepair();
    EXPECT_TRUE(display.repairShown);
    EXPECT_FALSE(display.repairEnabled);
    EXPECT_FALSE(display.backEnabled);
    display.log.clear();
    stand.calls.clear();
    if (!sequence.RunRepair(stand.Control())) return false;
    sequence.FinishRepair();
    return true;
  }
};

std::vector<std::wstring> WaitingRows() {
  std::vector<std::wstring> rows;
  for (int i = 0; i < 5; ++i) rows.push_back(std::to_wstring(i) + L" 等待扫描 blue");
  return rows;
}

TEST(GameCheck, WithNoLauncherTheSharedEnvironmentIsStillLookedAtAndTheOthersAreSkipped) {
  GameRun run;
  ASSERT_TRUE(run.Check());
  std::vector<std::wstring> expected = WaitingRows();
  const wchar_t* const names[] = {L"Steam", L"EA", L"Rockstar Games", L"EPIC"};
  for (int i = 0; i < 4; ++i) {
    expected.push_back(L"text 正在扫描 " + std::wstring(names[i]) + L" ");
    expected.push_back(std::to_wstring(i) + L" 正在扫描... black");
    expected.push_back(std::to_wstring(i) + L" 未安装跳过扫描... black");
  }
  expected.push_back(L"text 正在扫描 公共游戏环境 ");
  expected.push_back(L"4 正在扫描... black");
  expected.push_back(L"4 扫描完毕发现异常 red");
  expected.push_back(L"text 发现游戏环境缺失 建议修复");
  EXPECT_EQ(run.display.log, expected);
  EXPECT_EQ(run.stand.calls, std::vector<std::string>{"collect"});
  ASSERT_EQ(run.stand.pauses.size(), 5u);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(run.stand.pauses[i], 50u);
  // A whole step of the range: 200, 300, ... 600.
  EXPECT_GE(run.stand.pauses[4], 200u);
  EXPECT_LE(run.stand.pauses[4], 600u);
  EXPECT_EQ(run.stand.pauses[4] % 100, 0u);
  EXPECT_EQ(run.display.Buttons(), kMissingFound);
}

TEST(GameCheck, OneLookServesEveryInstalledPlatformAndACompleteMachineNeedsNoRepair) {
  GameRun run;
  run.stand.registry.keys = {"HKCU\\SOFTWARE\\Valve\\Steam", "HKLM\\SOFTWARE\\Epic Games"};
  run.stand.present = {"vc2010.exe", "vc2015.exe", "d3dx9_43.dll"};
  ASSERT_TRUE(run.Check());
  std::vector<std::wstring> verdicts;
  for (const std::wstring& line : run.display.log)
    if (line.find(L"扫描完毕") != std::wstring::npos || line.find(L"跳过") != std::wstring::npos)
      verdicts.push_back(line);
  EXPECT_EQ(verdicts, (std::vector<std::wstring>{
                          L"0 扫描完毕环境正常 green", L"1 未安装跳过扫描... black",
                          L"2 未安装跳过扫描... black", L"3 扫描完毕环境正常 green",
                          L"4 扫描完毕环境正常 green"}));
  EXPECT_EQ(run.stand.calls, std::vector<std::string>{"collect"});
  EXPECT_EQ(run.display.text, L"游戏运行库完整 无需修复");
  EXPECT_EQ(run.display.Buttons(), kReady);
}

TEST(GameCheck, SpreadsItsPausesOverTheWholeRange) {
  std::set<unsigned> seen;
  GameRun run;
  for (int i = 0; i < 200 && seen.size() < 5; ++i) {
    ASSERT_TRUE(run.Check());
    seen.insert(run.stand.pauses.back());
  }
  EXPECT_EQ(seen, (std::set<unsigned>{200, 300, 400, 500, 600}));
  // Nor do two sub-pages made at once walk the same way.
  std::vector<unsigned> first, second;
  GameRun a, b;
  for (int i = 0; i < 8; ++i) {
    ASSERT_TRUE(a.Check() && b.Check());
    first.push_back(a.stand.pauses.back());
    second.push_back(b.stand.pauses.back());
  }
  EXPECT_NE(first, second);
}

TEST(GameCheck, AStoppedCheckEndsAtThePauseInHandAndLeavesNothingToFinish) {
  GameRun run;
  run.stand.stopAfterPauses = 2;
  EXPECT_FALSE(run.Check());
  EXPECT_EQ(run.stand.pauses.size(), 2u);
  EXPECT_EQ(run.display.log.back(), L"1 正在扫描... black");
  EXPECT_FALSE(run.display.backEnabled);
}

TEST(GameRepair, RepairsDirectXThenRuntimeAndShowsTheResultOfALookAfterwards) {
  GameRun run;
  run.stand.registry.keys = {"HKLM\\SOFTWARE\\EA"};
  ASSERT_TRUE(run.Check());
  ASSERT_TRUE(run.Repair());
  EXPECT_EQ(run.stand.calls,
            (std::vector<std::string>{"checker", "repair d3dx9_43.dll", "repair vc2010.exe",
                                      "repair vc2015.exe", "collect"}));
  EXPECT_EQ(run.display.log,
            (std::vector<std::wstring>{
                L"text 正在修复中，请稍后...", L"1 正在修复... green", L"4 正在修复... green",
                L"text 正在修复：d3dx9_43.dll", L"text 正在修复：vc2010.exe",
                L"text 正在修复：vc2015.exe", L"1 扫描完毕环境正常 green",
                L"4 扫描完毕环境正常 green", L"text 游戏环境修复完毕"}));
  EXPECT_EQ(run.display.Buttons(), kReady);
}

TEST(GameRepair, AFailedRepairIsShownAsSuchAndWhatIsMissingCanBeTriedAgain) {
  GameRun run;
  run.stand.failing = {"vc2015.exe"};
  ASSERT_TRUE(run.Check());
  ASSERT_TRUE(run.Repair());
  EXPECT_EQ(run.display.log[run.display.log.size() - 2], L"4 扫描完毕发现异常 red");
  EXPECT_EQ(run.display.text, L"修复未完成，仍缺失1项：vc2015.exe");
  EXPECT_EQ(run.display.Buttons(), kMissingFound);
  // The second repair tries only what the look found missing.
  run.stand.failing.clear();
  ASSERT_TRUE(run.Repair());
  EXPECT_EQ(run.stand.calls,
            (std::vector<std::string>{"checker", "repair vc2015.exe", "collect"}));
  EXPECT_EQ(run.display.text, L"游戏环境修复完毕");
}

TEST(GameRepair, AStoppedRepairStartsNoFurtherEntry) {
  GameRun run;
  ASSERT_TRUE(run.Check());
  run.stand.pauses.clear();
  run.stand.stopAfterPauses = 0;  // told to stop as the repair starts
  EXPECT_FALSE(run.Repair());
  EXPECT_EQ(run.stand.calls, std::vector<std::string>{"checker"});
}

// The page going while an installer runs must not keep its worker (and the closing program)
// waiting for the installer: the repair in hand hears the stop and no further entry starts.
TEST(GameRepair, ARepairInHandHearsThatThePageIsGoing) {
  GameRun run;
  ASSERT_TRUE(run.Check());
  run.stand.pauses.clear();
  run.stand.onRepair = [&] {
    if (run.stand.calls.back() == "repair vc2010.exe") run.stand.stopAfterPauses = 0;
  };
  EXPECT_FALSE(run.Repair());
  EXPECT_EQ(run.stand.calls,
            (std::vector<std::string>{"checker", "repair d3dx9_43.dll", "repair vc2010.exe"}));
  EXPECT_EQ(run.stand.stopAnswers, (std::vector<bool>{false, true}));
}

TEST(GameRepair, AnInstallerThatAsksForARestartIsToldOnceAtTheEnd) {
  GameRun run;
  ASSERT_TRUE(run.Check());
  run.stand.restarting = {"vc2010.exe", "vc2015.exe"};
  ASSERT_TRUE(run.Repair());
  EXPECT_EQ(run.display.text, L"游戏环境修复完毕  部分组件需要重启电脑后生效");

  GameRun failed;
  ASSERT_TRUE(failed.Check());
  failed.stand.restarting = {"vc2015.exe"};
  failed.stand.failing = {"vc2010.exe"};
  ASSERT_TRUE(failed.Repair());
  const std::wstring notice = L"  部分组件需要重启电脑后生效";
  ASSERT_GT(failed.display.text.size(), notice.size());
  EXPECT_EQ(failed.display.text.substr(failed.display.text.size() - notice.size()), notice);
  EXPECT_EQ(failed.display.text.find(notice), failed.display.text.size() - notice.size()) << "told once";
}

}  // namespace

namespace {

net::CatalogueFile DirectXEntry(const std::string& name, int systemBit) {
  net::CatalogueFile entry = Entry(name);
  entry.systemBit = systemBit;
  return entry;
}

// On 32-bit Windows a DirectX file for 64-bit Windows only can never be put in place: the
// game check leaves it out as the DirectX page does, instead of finding it missing for ever.
TEST(GameFindingsTest, ADirectXFileThatDoesNotBelongOnThisMachineIsNotLookedAt) {
  std::vector<std::string> judged;
  functions::GameProbes on32Bit{
      [](const net::CatalogueFile&) { return true; },
      [&](const net::CatalogueFile& e) {
        judged.push_back(e.fileName);
        return false;
      },
      [](const net::CatalogueFile& e) { return e.systemBit != 1; }};
  const GameFindings findings = functions::CollectGameFindings(
      {Entry("vc2015.exe")}, {DirectXEntry("x64\\d3dx9_43.dll", 1), DirectXEntry("d3dx9_43.dll", 0)},
      on32Bit);
  EXPECT_EQ(judged, std::vector<std::string>{"d3dx9_43.dll"});
  EXPECT_EQ(Names(findings.directx), std::vector<std::string>{"d3dx9_43.dll"});
  EXPECT_EQ(findings.checked, 2);

  // With only 64-bit files, and the runtime complete, the 32-bit machine is whole.
  const GameFindings whole = functions::CollectGameFindings(
      {Entry("vc2015.exe")}, {DirectXEntry("x64\\d3dx9_43.dll", 1)}, on32Bit);
  EXPECT_FALSE(whole.Faulty());
  EXPECT_FALSE(whole.NothingChecked());
}

// Lists that are empty (the catalogue did not load) or hold nothing for games prove nothing
// about the machine: the check says that it could not look, not that all is well.
TEST(GameCheck, EmptyListsAreNotAHealthyMachine) {
  for (const net::CatalogueList& runtime :
       {net::CatalogueList{}, net::CatalogueList{Entry("not-for-games.exe", false)}}) {
    GameRun run;
    run.stand.runtime = runtime;
    run.stand.directx.clear();
    run.stand.registry.keys = {"HKLM\\SOFTWARE\\Epic Games"};
    ASSERT_TRUE(run.Check());
    std::vector<std::wstring> verdicts;
    for (const std::wstring& line : run.display.log)
      if (line.find(L"检测") != std::wstring::npos || line.find(L"扫描完毕") != std::wstring::npos)
        verdicts.push_back(line);
    EXPECT_EQ(verdicts, (std::vector<std::wstring>{L"3 无法检测 red", L"4 无法检测 red",
                                                   L"text 未能获取检测列表 请检查网络后重试"}));
    EXPECT_EQ(run.display.text, L"未能获取检测列表 请检查网络后重试");
    EXPECT_EQ(run.display.Buttons(), kReady);  // the check can be tried again, nothing to repair
  }
}

}  // namespace
