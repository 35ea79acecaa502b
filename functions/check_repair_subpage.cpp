#include "functions/check_repair_subpage.h"

#include <string>
#include <utility>

#include "functions/subpage_controls.h"
#include "ui/win/ui_lock.h"

namespace functions {

CheckRepairSubpage::CheckRepairSubpage(DuiLib::CPaintManagerUI* manager, UINT checkTimer,
                                       UINT repairTimer, repair::PageJobs& jobs)
    : checkJob_(manager, checkTimer, jobs.scanning, jobs.scanBusy),
      repairJob_(manager, repairTimer, jobs.repairing, jobs.repairBusy) {}

CheckRepairSubpage::~CheckRepairSubpage() {
  {
    DuiLib::UiGuard guard;
    going_ = true;
  }
  checkJob_.Stop();
  repairJob_.Stop();
}

void CheckRepairSubpage::Attach(const Find& find, const std::wstring& prefix) {
  DuiLib::UiGuard guard;
  check_ = find((prefix + L"_check").c_str());
  repair_ = find((prefix + L"_repair").c_str());
  back_ = find((prefix + L"_back").c_str());
  list_ = DuiLib::ControlAs<DuiLib::CContainerUI>(find((prefix + L"_list").c_str()));
  checkJob_.SetTimerControl(list_);
  repairJob_.SetTimerControl(list_);
}

void CheckRepairSubpage::RebuildRows(int count, const MakeRow& make) {
  DuiLib::UiGuard guard;
  statuses_.assign(static_cast<size_t>(count), nullptr);
  if (!list_) return;
  list_->RemoveAll();
  for (int i = 0; i < count; ++i) list_->Add(make(i, statuses_[static_cast<size_t>(i)]));
}

void CheckRepairSubpage::Start(repair::PageJob& job, repair::PageJob& other,
                               std::function<void()> work) {
  // The other job's worker has given the buttons back as its last act, so this wait is short.
  other.Join();
  job.Start(std::move(work));
}

RunControl CheckRepairSubpage::ControlOf(repair::PageJob& job) {
  return {[&job](unsigned ms) { return job.Pause(ms); }, [&job] { return job.Running(); }};
}

bool CheckRepairSubpage::HasRow(int row) const {
  DuiLib::UiGuard guard;
  return row >= 0 && static_cast<size_t>(row) < statuses_.size() &&
         statuses_[static_cast<size_t>(row)] != nullptr;
}

void CheckRepairSubpage::ShowStatus(int row, const std::wstring& text, uint32_t colour) {
  DuiLib::UiGuard guard;
  if (going_ || !HasRow(row)) return;
  DuiLib::CLabelUI* status = statuses_[static_cast<size_t>(row)];
  status->SetText(text);
  status->SetTextColor(colour);
}

void CheckRepairSubpage::SetCheckButton(bool shown, bool enabled) {
  DuiLib::UiGuard guard;
  if (!going_) SetButton(check_, shown, enabled);
}

void CheckRepairSubpage::SetRepairButton(bool shown, bool enabled) {
  DuiLib::UiGuard guard;
  if (!going_) SetButton(repair_, shown, enabled);
}

void CheckRepairSubpage::SetBackEnabled(bool enabled) {
  DuiLib::UiGuard guard;
  if (!going_ && back_) back_->SetEnabled(enabled);
}

}  // namespace functions
