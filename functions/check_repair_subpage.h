#pragma once
#include <windows.h>

#include <atomic>
#include <functional>
#include <vector>

#include "functions/game_sequence.h"
#include "page_machinery/page_job.h"
#include "page_machinery/page_kind.h"
#include "ui/win/container.h"
#include "ui/win/label.h"

namespace functions {

// What the tool sub-pages that check and then repair (game, network) have in common: the
// check, repair and back buttons, the list of one row per item with its status label, and the
// check and repair jobs. A sub-page holds one as its last member, so that the workers are
// stopped and joined while the sequence they run still exists.
class CheckRepairSubpage {
 public:
  using Find = std::function<DuiLib::CControlUI*(const wchar_t* name)>;
  // Builds one row and hands back its status label, the one control of the row that changes.
  using MakeRow = std::function<DuiLib::CControlUI*(int row, DuiLib::CLabelUI*& status)>;

  CheckRepairSubpage(DuiLib::CPaintManagerUI* manager, UINT checkTimer, UINT repairTimer,
                     repair::PageJobs& jobs);
  // Marks the sub-page as going under the UI lock, so that no worker writes into a control
  // after this, then stops both jobs and waits for their workers.
  ~CheckRepairSubpage();
  CheckRepairSubpage(const CheckRepairSubpage&) = delete;
  CheckRepairSubpage& operator=(const CheckRepairSubpage&) = delete;

  // Finds `<prefix>_check`, `_repair`, `_back` and `_list`.
  void Attach(const Find& find, const std::wstring& prefix);
  // Fresh rows, `count` of them; the statuses of the rows before are forgotten first.
  void RebuildRows(int count, const MakeRow& make);

  bool HasList() const { return list_ != nullptr; }
  bool Busy() const { return checkJob_.Busy() || repairJob_.Busy(); }
  // True once the page has started going; a worker's pauses then end at once.
  bool Going() const { return going_; }

  // Runs `work` on the job's worker after the other job's worker has ended.
  void StartCheck(std::function<void()> work) { Start(checkJob_, repairJob_, std::move(work)); }
  void StartRepair(std::function<void()> work) { Start(repairJob_, checkJob_, std::move(work)); }
  // For a worker that ends by handing over to the page's timer notification.
  void HandOverCheck() { checkJob_.HandOver(); }
  void HandOverRepair() { repairJob_.HandOver(); }
  RunControl CheckControl() { return ControlOf(checkJob_); }
  RunControl RepairControl() { return ControlOf(repairJob_); }
  // A timer notification: true when it finished the check or the repair it names.
  bool FinishCheck(UINT timer) { return timer == checkJob_.Timer() && checkJob_.Finish(); }
  bool FinishRepair(UINT timer) { return timer == repairJob_.Timer() && repairJob_.Finish(); }

  bool HasRow(int row) const;
  void ShowStatus(int row, const std::wstring& text, uint32_t colour);
  void SetCheckButton(bool shown, bool enabled);
  void SetRepairButton(bool shown, bool enabled);
  void SetBackEnabled(bool enabled);

 private:
  static void Start(repair::PageJob& job, repair::PageJob& other, std::function<void()> work);
  static RunControl ControlOf(repair::PageJob& job);

  repair::PageJob checkJob_;
  repair::PageJob repairJob_;
  // Set under the UI lock when the controls are about to go.
  std::atomic<bool> going_{false};

  DuiLib::CControlUI* check_ = nullptr;
  DuiLib::CControlUI* repair_ = nullptr;
  DuiLib::CControlUI* back_ = nullptr;
  DuiLib::CContainerUI* list_ = nullptr;
  // Replaced while the UI lock is held, so a worker never writes into a row that is gone.
  std::vector<DuiLib::CLabelUI*> statuses_;
};

}  // namespace functions
