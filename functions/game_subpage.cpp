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

GameSubpage::GameSubpage(DuiLib::CPaintManagerUI* manager, GameMachine machine)
    : machine_(std::move(machine)),
      sequence_(machine_, *this),
      checkJob_(manager, kCheckTimer, Jobs().scanning, Jobs().scanBusy),
      repairJob_(manager, kRepairTimer, Jobs().repairing, Jobs().repairBusy) {}

GameSubpage::~GameSubpage() {
  checkJob_.Stop();
  repairJob_.Stop();
}

repair::PageJobs& GameSubpage::Jobs() {
  static repair::PageJobs jobs;
  return jobs;
}

void GameSubpage::Attach(DuiLib::CControlUI* check, DuiLib::CControlUI* repair,
                         DuiLib::CControlUI* back, DuiLib::CControlUI* text,
                         DuiLib::CContainerUI* list) {
  DuiLib::UiGuard guard;
  check_ = check;
  repair_ = repair;
  back_ = back;
  text_ = text;
  list_ = list;
  checkJob_.SetTimerControl(list);
  repairJob_.SetTimerControl(list);
}

void GameSubpage::Prepare() {
  sequence_.ShowReady();
  DuiLib::UiGuard guard;
  for (DuiLib::CLabelUI*& status : statuses_) status = nullptr;
  if (!list_) return;
  list_->RemoveAll();
  for (int i = 0; i < kGamePlatformCount; ++i)
    list_->Add(MakeRow(kGamePlatforms[i], statuses_[i]));
}

RunControl GameSubpage::ControlOf(repair::PageJob& job) {
  return {[&job](unsigned ms) { return job.Pause(ms); }, [&job] { return job.Running(); }};
}

// Without the list the job could not hand over, and the buttons would stay disabled.
void GameSubpage::StartCheck() {
  if (!list_ || checkJob_.Busy() || repairJob_.Busy()) return;
  sequence_.BeginCheck();
  checkJob_.Start([this] {
    if (sequence_.RunCheck(ControlOf(checkJob_))) checkJob_.HandOver();
  });
}

void GameSubpage::StartRepair() {
  if (!list_ || checkJob_.Busy() || repairJob_.Busy()) return;
  sequence_.BeginRepair();
  repairJob_.Start([this] {
    if (sequence_.RunRepair(ControlOf(repairJob_))) repairJob_.HandOver();
  });
}

void GameSubpage::OnTimer(UINT id) {
  if (id == kCheckTimer && checkJob_.Finish()) sequence_.FinishCheck();
  if (id == kRepairTimer && repairJob_.Finish()) sequence_.FinishRepair();
}

void GameSubpage::ShowStatus(int platform, const std::wstring& text, uint32_t colour) {
  DuiLib::UiGuard guard;
  DuiLib::CLabelUI* status = statuses_[platform];
  if (!status) return;
  status->SetText(text);
  status->SetTextColor(colour);
}

void GameSubpage::ShowText(const std::wstring& text) {
  if (text_) text_->SetText(text);
}

void GameSubpage::SetCheckButton(bool shown, bool enabled) { SetButton(check_, shown, enabled); }

void GameSubpage::SetRepairButton(bool shown, bool enabled) { SetButton(repair_, shown, enabled); }

void GameSubpage::SetBackEnabled(bool enabled) {
  if (back_) back_->SetEnabled(enabled);
}

}  // namespace functions
