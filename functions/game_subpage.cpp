#include "functions/game_subpage.h"

#include <utility>

#include "functions/subpage_controls.h"
#include "ui/win/ui_lock.h"

namespace functions {

namespace {

// The status label is handed back: it is the one control of the row that changes.
DuiLib::CControlUI* MakeRow(const GamePlatform& platform, DuiLib::CLabelUI*& status) {
  DuiLib::CHorizontalLayoutUI* row = IndentedRow(48, 24);
  DuiLib::CControlUI* icon = new DuiLib::CControlUI;
  icon->SetFixedWidth(52);
  icon->SetBkImage(L"file='" + std::wstring(platform.icon) +
                   L"' src='0,0,32,32' dest='8,8,40,40'");
  row->Add(icon);
  row->Add(FixedLabel(560, platform.displayName, 5));
  status = StatusLabel();
  status->SetText(L"等待扫描");
  status->SetTextColor(0xFF1E90FF);
  row->Add(status);
  return row;
}

}  // namespace

GameSubpage::GameSubpage(DuiLib::CPaintManagerUI* manager, GameSystemOps ops)
    : ops_(std::move(ops)),
      sequence_(ops_, *this),
      parts_(manager, kCheckTimer, kRepairTimer, Jobs()) {}

repair::PageJobs& GameSubpage::Jobs() {
  static repair::PageJobs jobs;
  return jobs;
}

void GameSubpage::Attach(const CheckRepairSubpage::Find& find) {
  parts_.Attach(find, L"function_game");
  DuiLib::UiGuard guard;
  text_ = find(L"function_game_text");
}

void GameSubpage::Prepare() {
  sequence_.ShowReady();
  parts_.RebuildRows(kGamePlatformCount, [](int row, DuiLib::CLabelUI*& status) {
    return MakeRow(kGamePlatforms[row], status);
  });
}

// Without the list the job could not hand over, and the buttons would stay disabled.
void GameSubpage::StartCheck() {
  if (!parts_.HasList() || parts_.Busy()) return;
  sequence_.BeginCheck();
  parts_.StartCheck([this] {
    if (sequence_.RunCheck(parts_.CheckControl())) parts_.HandOverCheck();
  });
}

void GameSubpage::StartRepair() {
  if (!parts_.HasList() || parts_.Busy()) return;
  sequence_.BeginRepair();
  parts_.StartRepair([this] {
    if (sequence_.RunRepair(parts_.RepairControl())) parts_.HandOverRepair();
  });
}

void GameSubpage::OnTimer(UINT id) {
  if (parts_.FinishCheck(id)) sequence_.FinishCheck();
  if (parts_.FinishRepair(id)) sequence_.FinishRepair();
}

void GameSubpage::ShowStatus(int platform, const std::wstring& text, uint32_t colour) {
  parts_.ShowStatus(platform, text, colour);
}

void GameSubpage::ShowText(const std::wstring& text) {
  if (text_) text_->SetText(text);
}

void GameSubpage::SetCheckButton(bool shown, bool enabled) { parts_.SetCheckButton(shown, enabled); }

void GameSubpage::SetRepairButton(bool shown, bool enabled) {
  parts_.SetRepairButton(shown, enabled);
}

void GameSubpage::SetBackEnabled(bool enabled) { parts_.SetBackEnabled(enabled); }

}  // namespace functions
