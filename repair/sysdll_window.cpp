#include "repair/sysdll_window.h"

#include <cstdint>

#include "page_machinery/page_text.h"
#include "repair/result_row.h"
#include "ui/win/ui_lock.h"

namespace repair {

SysdllWindow::SysdllWindow(DuiLib::CPaintManagerUI* manager, SysdllSystem system)
    : PageWindow(manager),
      system_(std::move(system)),
      job_(manager, kFinishTimer, Repairing(), Busy()) {}

SysdllWindow::~SysdllWindow() { job_.Stop(); }

std::atomic<bool>& SysdllWindow::Repairing() {
  static std::atomic<bool> repairing{false};
  return repairing;
}

std::atomic<bool>& SysdllWindow::Busy() {
  static std::atomic<bool> busy{false};
  return busy;
}

void SysdllWindow::InitControls() {
  normalRegion_ = FindControl(L"sysdll_normal_region");
  repairRegion_ = FindControl(L"sysdll_repair_region");
  repairing_ = FindControl(L"sysdll_repairing");
  repaired_ = FindControl(L"sysdll_repaired");
  repairingText_ = FindControl(L"sysdll_repairing_text");
  DuiLib::CControlUI* progress = FindControl(L"sysdll_repairing_progress");
  progress_ = DuiLib::ControlAs<DuiLib::CProgressUI>(progress);
  repairedText_ = FindControl(L"sysdll_repaired_text");
  repairCountsText_ = FindControl(L"sysdll_repaired_text1");
  DuiLib::CControlUI* list = FindControl(L"sysdll_list");
  list_ = DuiLib::ControlAs<DuiLib::CContainerUI>(list);
  ready_ = normalRegion_ && repairRegion_ && repairing_ && repaired_ && repairingText_ &&
           progress_ && repairedText_ && repairCountsText_ && list_;
  if (repairRegion_) repairRegion_->SetVisible(false);
  job_.SetTimerControl(repairRegion_);
}

void SysdllWindow::OnCommand(const std::string& word) {
  if (word == "repair") StartRepair();
}

void SysdllWindow::Notify(DuiLib::TNotifyUI& msg) {
  if (SameIgnoringCase(msg.sType, L"timer")) {
    if (msg.wParam == kFinishTimer) OnRepairFinished();
    return;
  }
  if (!SameIgnoringCase(msg.sType, L"click") || msg.pSender == nullptr) return;
  const std::wstring name = msg.pSender->GetName();
  if (SameIgnoringCase(name, L"sysdll_repair")) {
    StartRepair();
  } else if (SameIgnoringCase(name, L"sysdll_cancel_repair")) {
    Cancel();
  } else if (SameIgnoringCase(name, L"sysdll_finish") && ready_ && !job_.Busy()) {
    // Back to the start view; the list stays for the next run to clear.
    normalRegion_->SetVisible(true);
    repairRegion_->SetVisible(false);
  }
}

// A page whose layout lacks a control refuses to start: its worker could neither list nor
// hand over, and the working view would never end.
void SysdllWindow::StartRepair() {
  if (!ready_ || job_.Busy() || Repairing()) return;
  normalRegion_->SetVisible(false);
  repairRegion_->SetVisible(true);
  repairing_->SetVisible(true);
  repaired_->SetVisible(false);
  progress_->SetValue(0);  // not the last run's 100 while the checker starts and the walk runs
  cancelled_ = false;
  job_.Start([this] { RepairWorker(); });
}

void SysdllWindow::Cancel() {
  // Only a worker still at its files can be stopped; one that has ended keeps its result.
  if (!job_.Busy() || job_.HandedOver()) return;
  job_.RequestStop();
  cancelled_ = true;
}

void SysdllWindow::OnRepairFinished() {
  if (!ready_ || !job_.Finish()) return;
  repairing_->SetVisible(false);
  repaired_->SetVisible(true);
  const int examined = examinedCount_, intact = intactCount_;
  const std::wstring repaired = std::to_wstring(examined - intact);
  const wchar_t* ending =
      cancelled_ ? L"修复中止，已修复%d个系统组件" : L"修复完成，已修复%d个系统组件";
  repairedText_->SetText(FillIn(ending, {repaired}));
  repairCountsText_->SetText(FillIn(L"已检测项：%d个  修复：%d个  完整：%d个",
                                 {std::to_wstring(examined), repaired, std::to_wstring(intact)}));
}

void SysdllWindow::RepairWorker() {
  repairingText_->SetText(L"正在初始化环境...");
  StartSystemFileChecker(system_.launch);
  const std::vector<std::wstring> paths = CollectFiles(system_.sources);
  const int total = static_cast<int>(paths.size());
  examinedCount_ = 0;
  intactCount_ = 0;
  list_->RemoveAll();
  for (const std::wstring& path : paths) {
    if (!Repairing()) break;
    ListFile(path, total);
    Sleep(10);
  }
  job_.HandOver();
}

void SysdllWindow::ListFile(const std::wstring& path, int total) {
  {
    // One change for a paint pass: the bottom row goes and the new one comes on top together.
    DuiLib::UiGuard guard;
    if (list_->GetCount() >= kMostRows) list_->RemoveAt(list_->GetCount() - 1);
    list_->AddAt(MakeFileRow(path), 0);
  }
  const int examined = ++examinedCount_;
  progress_->SetValue(static_cast<int>(int64_t{examined} * 100 / total));
  ++intactCount_;
  repairingText_->SetText(FillIn(L"正在检查：%s", {path}));
}

}  // namespace repair
