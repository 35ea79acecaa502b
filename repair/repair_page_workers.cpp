#include <windows.h>

#include "platform/text_conversion.h"
#include "page_machinery/page_text.h"
#include "repair/repair_page.h"
#include "repair/result_row.h"

namespace repair {

namespace {

// Where a row goes: a missing entry on top, a complete one directly below every missing row
// built so far, so that each group ends up in the reverse of catalogue order.
int RowPosition(bool complete, int examined, int completeSoFar) {
  return complete ? examined - completeSoFar : 0;
}

}  // namespace

bool RepairPage::RecordedResult(const net::CatalogueFile& entry) const {
  return state_.WithEntries([&] { return Result(entry); });
}

void RepairPage::ScanWorker(app::AppState::ListPtr entries) {
  if (!list_ || !scaningText_ || !scaningProgress_ || !scanedText_ || !scanCountsText_) {
    jobs_.scanning = false;
    jobs_.scanBusy = false;
    return;
  }
  list_->RemoveAll();
  examinedCount_ = 0;
  installedCount_ = 0;
  const int n = static_cast<int>(entries->size());
  for (net::CatalogueFile& entry : *entries) {
    if (!scanJob_.Running()) break;
    const int examined = ++examinedCount_;
    scaningProgress_->SetValue(examined * 100 / n);
    const std::wstring name = platform::DisplayTextToWide(ShownName(entry));
    scaningText_->SetText(name);
    const bool complete = Judge(entry);
    state_.WithEntries([&] { SetResult(entry, complete); });
    if (complete) ++installedCount_;
    list_->AddAt(MakeScanningRow(name, complete), RowPosition(complete, examined, installedCount_));
    scanJob_.Pause(kind_.scanPauseMs);
  }
  // The final rows, for the entries examined only: a stopped scan can still be repaired.
  list_->RemoveAll();
  int completeSoFar = 0;
  for (int i = 0; i < examinedCount_; ++i) {
    const net::CatalogueFile& entry = (*entries)[i];
    const bool complete = RecordedResult(entry);
    if (complete) ++completeSoFar;
    list_->AddAt(
        MakeFinalRow(entry.id, prefix_, platform::DisplayTextToWide(ShownName(entry)), complete),
        RowPosition(complete, i + 1, completeSoFar));
  }
  scanJob_.HandOver();
}

void RepairPage::RepairWorker(app::AppState::ListPtr entries) {
  attemptedCount_ = 0;
  repairedCount_ = 0;
  restartPending_ = false;
  for (net::CatalogueFile& entry : *entries) {
    if (!repairJob_.Running()) break;
    RepairOne(entry);
  }
  repairJob_.HandOver();
}

void RepairPage::RepairOne(net::CatalogueFile& entry) {
  const std::wstring announce =
      FillIn(L"正在修复：%s", {platform::DisplayTextToWide(entry.fileName)});
  if (kind_.announceEveryEntry && repairingText_) repairingText_->SetText(announce);
  if (RecordedResult(entry) || !list_) return;
  DuiLib::CControlUI* box = list_->FindControlByName(CheckBoxName(entry.id, prefix_));
  DuiLib::CControlUI* found = list_->FindControlByName(StateLabelName(entry.id, prefix_));
  DuiLib::COptionUI* check = DuiLib::ControlAs<DuiLib::COptionUI>(box);
  DuiLib::CLabelUI* state = DuiLib::ControlAs<DuiLib::CLabelUI>(found);
  if (!check || !check->GetCheck() || !state) return;
  if (!kind_.announceEveryEntry && repairingText_) repairingText_->SetText(announce);
  ++attemptedCount_;
  state->SetText(kind_.repairingState);
  state->SetTextColor(kRepairColor);
  const EntryRepair outcome = Repair(entry);
  if (outcome.restartPending) restartPending_ = true;
  state->SetText(outcome.repaired ? L"修复完成" : L"修复失败");
  if (!outcome.repaired) return;
  ++repairedCount_;
  state_.WithEntries([&] { SetResult(entry, true); });
}

}  // namespace repair
