#include "functions/game_sequence.h"

#include <ctime>

#include "page_machinery/page_text.h"

namespace functions {

namespace {

constexpr uint32_t kWaiting = 0xFF1E90FF;
constexpr uint32_t kPlain = 0xFF000000;
constexpr uint32_t kGood = 0xFF2BA715;
constexpr uint32_t kFault = 0xFFFF3400;

// The catalogue's lists were empty or not loaded: there was nothing to look at.
const std::wstring kNothingChecked = L"未能获取检测列表 请检查网络后重试";

}  // namespace

GameSequence::GameSequence(GameSystemOps& ops, GameDisplay& display)
    : ops_(ops),
      display_(display),
      // Two sub-pages made within one second must not pause alike.
      random_(std::random_device{}() ^ static_cast<unsigned>(std::time(nullptr))) {}

void GameSequence::ShowReady() {
  display_.SetCheckButton(true, true);
  display_.SetRepairButton(false, true);
  display_.SetBackEnabled(true);
  display_.ShowText(L"全面检测电脑游戏环境");
}

void GameSequence::BeginCheck() {
  display_.SetCheckButton(true, false);
  display_.SetBackEnabled(false);
}

void GameSequence::BeginRepair() {
  display_.SetRepairButton(true, false);
  display_.SetBackEnabled(false);
}

unsigned GameSequence::InstalledPauseMs() {
  const GamePauses& p = ops_.pauses;
  if (p.installedSteps < 2 || p.installedLongestMs <= p.installedShortestMs)
    return p.installedShortestMs;
  const unsigned step = static_cast<unsigned>(random_() % p.installedSteps);
  return p.installedShortestMs +
         step * (p.installedLongestMs - p.installedShortestMs) / (p.installedSteps - 1);
}

void GameSequence::ShowVerdict(int platform) {
  if (findings_.NothingChecked())
    display_.ShowStatus(platform, L"无法检测", kFault);
  else if (findings_.Faulty())
    display_.ShowStatus(platform, L"扫描完毕发现异常", kFault);
  else
    display_.ShowStatus(platform, L"扫描完毕环境正常", kGood);
}

bool GameSequence::RunCheck(const RunControl& run) {
  for (int i = 0; i < kGamePlatformCount; ++i) display_.ShowStatus(i, L"等待扫描", kWaiting);
  bool collected = false;
  for (int i = 0; i < kGamePlatformCount; ++i) {
    const GamePlatform& platform = kGamePlatforms[i];
    display_.ShowText(repair::FillIn(L"正在扫描 %s ", {platform.displayName}));
    display_.ShowStatus(i, L"正在扫描...", kPlain);
    installed_[i] = PlatformInstalled(platform, ops_.keyExists);
    if (!installed_[i]) {
      if (!run.pause(ops_.pauses.notInstalledMs)) return false;
      display_.ShowStatus(i, L"未安装跳过扫描...", kPlain);
      continue;
    }
    // One look serves every installed platform: they share the machine's game environment.
    if (!collected) findings_ = ops_.collect();
    collected = true;
    if (!run.pause(InstalledPauseMs())) return false;
    ShowVerdict(i);
  }
  return true;
}

void GameSequence::FinishCheck() {
  display_.SetBackEnabled(true);
  if (findings_.NothingChecked()) {
    // An empty list proves nothing about the machine; the check can be tried again.
    display_.ShowText(kNothingChecked);
    display_.SetCheckButton(true, true);
  } else if (findings_.Faulty()) {
    display_.ShowText(L"发现游戏环境缺失 建议修复");
    display_.SetCheckButton(false, true);
    display_.SetRepairButton(true, true);
  } else {
    display_.ShowText(L"游戏运行库完整 无需修复");
    display_.SetCheckButton(true, true);
  }
}

bool GameSequence::RunRepair(const RunControl& run) {
  display_.ShowText(L"正在修复中，请稍后...");
  for (int i = 0; i < kGamePlatformCount; ++i)
    if (installed_[i]) display_.ShowStatus(i, L"正在修复...", kGood);
  ops_.startChecker();
  restartPending_ = false;
  // The outcome of each repair is not taken on trust: the look afterwards decides.
  for (const auto& [list, repairOne] :
       {std::make_pair(&findings_.directx, &ops_.repairDirectX),
        std::make_pair(&findings_.runtime, &ops_.repairRuntime)}) {
    for (const net::CatalogueFile& entry : *list) {
      if (!run.goOn()) return false;
      display_.ShowText(repair::FillIn(L"正在修复：%s", {ops_.nameOf(entry.fileName)}));
      if ((*repairOne)(entry, [&run] { return !run.goOn(); }).restartPending) restartPending_ = true;
    }
  }
  if (!run.goOn()) return false;
  findings_ = ops_.collect();
  for (int i = 0; i < kGamePlatformCount; ++i)
    if (installed_[i]) ShowVerdict(i);
  return true;
}

void GameSequence::FinishRepair() {
  display_.SetBackEnabled(true);
  const std::wstring restart = restartPending_ ? L"  部分组件需要重启电脑后生效" : L"";
  if (findings_.NothingChecked()) {
    display_.ShowText(kNothingChecked + restart);
    display_.SetCheckButton(true, true);
    display_.SetRepairButton(false, true);
  } else if (findings_.Faulty()) {
    // What is still missing can be tried again from here.
    display_.ShowText(StillMissingText(findings_, ops_.nameOf) + restart);
    display_.SetCheckButton(false, true);
    display_.SetRepairButton(true, true);
  } else {
    display_.ShowText(L"游戏环境修复完毕" + restart);
    display_.SetCheckButton(true, true);
    display_.SetRepairButton(false, true);
  }
}

}  // namespace functions
