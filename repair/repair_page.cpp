#include "repair/repair_page.h"

#include <thread>

#include "repair/page_text.h"
#include "ui/win/ui_lock.h"

namespace repair {

namespace {

void Show(DuiLib::CControlUI* control, bool visible) {
  if (control) control->SetVisible(visible);
}

void PutText(DuiLib::CControlUI* control, const std::wstring& text) {
  if (control) control->SetText(text);
}

}  // namespace

RepairPage::RepairPage(DuiLib::CPaintManagerUI* manager, app::AppState& state, const PageKind& kind,
                       PageJobs& jobs)
    : PageWindow(manager), state_(state), kind_(kind), prefix_(kind.prefix), jobs_(jobs) {}

RepairPage::~RepairPage() { StopWorkers(); }

void RepairPage::StopWorkers() {
  if (!scanWorker_.joinable() && !repairWorker_.joinable()) return;
  jobs_.scanning = false;
  jobs_.repairing = false;
  {
    // The page goes with the frame's control tree, under the UI lock, and a worker needs that
    // lock for its next change to the controls. A repair in hand finishes its installer first:
    // stopping one half-way could leave the package broken.
    DuiLib::UiLockSuspension unlocked;
    if (scanWorker_.joinable()) scanWorker_.join();
    if (repairWorker_.joinable()) repairWorker_.join();
  }
  if (list_) {
    frameManager_->KillTimer(list_, kind_.scanTimer);
    frameManager_->KillTimer(list_, kind_.repairTimer);
  }
  // The marks are the page kind's, kept for the process: a later frame's page must not find
  // this page's jobs still busy.
  jobs_.scanBusy = false;
  jobs_.repairBusy = false;
}

DuiLib::CControlUI* RepairPage::Find(const wchar_t* role) const {
  return FindControl(prefix_ + L"_" + role);
}

void RepairPage::InitControls() {
  normalRegion_ = Find(L"normal_region");
  scanRegion_ = Find(L"scan_region");
  scaning_ = Find(L"scaning");
  scaned_ = Find(L"scaned");
  repairing_ = Find(L"repairing");
  repaired_ = Find(L"repaired");
  DuiLib::CControlUI* list = Find(L"list");
  list_ = list ? static_cast<DuiLib::CContainerUI*>(list->GetInterface(L"Container")) : nullptr;
  scaningText_ = Find(L"scaning_text");
  DuiLib::CControlUI* progress = Find(L"scaning_progress");
  scaningProgress_ =
      progress ? static_cast<DuiLib::CProgressUI*>(progress->GetInterface(L"Progress")) : nullptr;
  scanedText_ = Find(L"scaned_text");
  scanedText1_ = Find(L"scaned_text1");
  cancel_ = Find(L"cancel");
  repair_ = Find(L"repair");
  repairingText_ = Find(L"repairing_text");
  repairedText_ = Find(L"repaired_text");
  repairedText1_ = Find(L"repaired_text1");
  Show(scanRegion_, false);
}

void RepairPage::OnCommand(const std::string& word) {
  if (kind_.scansOnCommand && word == "scan") StartScan();
}

void RepairPage::Notify(DuiLib::TNotifyUI& msg) {
  if (SameIgnoringCase(msg.sType, L"timer")) {
    if (msg.wParam == kind_.scanTimer) OnScanFinished();
    if (msg.wParam == kind_.repairTimer) OnRepairFinished();
    return;
  }
  if (!SameIgnoringCase(msg.sType, L"click") || msg.pSender == nullptr) return;
  const std::wstring name = msg.pSender->GetName();
  auto is = [&](const wchar_t* role) { return SameIgnoringCase(name, prefix_ + L"_" + role); };
  if (is(L"scan") || is(L"scaned_rescan") || is(L"repaired_rescan")) {
    StartScan();
  } else if (is(L"cancel_scan")) {
    jobs_.scanning = false;
    cancelled_ = true;
  } else if (is(L"repair")) {
    StartRepair();
  } else if (is(L"cancel_repair")) {
    jobs_.repairing = false;
    cancelled_ = true;
  } else if (is(L"cancel") || is(L"finish")) {
    BackToStart();
  }
}

void RepairPage::ShowBand(DuiLib::CControlUI* band) {
  for (DuiLib::CControlUI* each : {scaning_, scaned_, repairing_, repaired_})
    Show(each, each == band);
}

void RepairPage::BackToStart() {
  Show(normalRegion_, true);
  Show(scanRegion_, false);
}

void RepairPage::StartScan() {
  // Refused while a repair of this page is still at work, even one told to stop: the scan
  // would take away the rows it is writing into.
  if (jobs_.scanBusy || jobs_.repairBusy) return;
  Show(normalRegion_, false);
  Show(scanRegion_, true);
  BeginJob(scaning_, jobs_.scanning, jobs_.scanBusy, scanWorker_, &RepairPage::ScanWorker);
}

void RepairPage::StartRepair() {
  if (jobs_.repairBusy || jobs_.scanBusy) return;
  BeginJob(repairing_, jobs_.repairing, jobs_.repairBusy, repairWorker_,
           &RepairPage::RepairWorker);
}

void RepairPage::BeginJob(DuiLib::CControlUI* band, std::atomic<bool>& running,
                          std::atomic<bool>& busy, std::thread& slot, Worker worker) {
  if (slot.joinable()) {
    // The last job of this kind has handed over already (it is no longer busy), so its
    // worker has ended or is just returning.
    DuiLib::UiLockSuspension unlocked;
    slot.join();
  }
  ShowBand(band);
  busy = true;
  running = true;
  cancelled_ = false;
  slot = std::thread([this, worker, entries = Entries()] { (this->*worker)(entries); });
}

bool RepairPage::EndJob(UINT timer, DuiLib::CControlUI* band, std::atomic<bool>& running,
                        std::atomic<bool>& busy) {
  if (list_) frameManager_->KillTimer(list_, timer);
  if (!busy) return false;  // a stray tick: no job is waiting for its end
  running = false;
  busy = false;
  ShowBand(band);
  return true;
}

void RepairPage::OnScanFinished() {
  if (!EndJob(kind_.scanTimer, scaned_, jobs_.scanning, jobs_.scanBusy)) return;
  const int examined = examinedCount_, installed = installedCount_;
  const std::wstring missing = std::to_wstring(examined - installed);
  PutText(scanedText_, FillIn(cancelled_ ? kind_.scanStopped : kind_.scanDone, {missing}));
  PutText(scanedText1_, FillIn(L"已检测项：%d个  缺失：%d个  完整：%d个",
                               {std::to_wstring(examined), missing, std::to_wstring(installed)}));
  Show(cancel_, examined == installed);
  Show(repair_, examined != installed);
}

void RepairPage::OnRepairFinished() {
  if (!EndJob(kind_.repairTimer, repaired_, jobs_.repairing, jobs_.repairBusy)) return;
  const int attempted = attemptedCount_, repaired = repairedCount_;
  PutText(repairedText_,
          FillIn(cancelled_ ? kind_.repairStopped : kind_.repairDone, {std::to_wstring(repaired)}));
  PutText(repairedText1_, FillIn(L"已修复项：%d个  成功：%d个  失败：%d个",
                                 {std::to_wstring(attempted), std::to_wstring(repaired),
                                  std::to_wstring(attempted - repaired)}));
}

}  // namespace repair
