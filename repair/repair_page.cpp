#include "repair/repair_page.h"

#include "page_machinery/page_text.h"

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
    : PageWindow(manager),
      state_(state),
      kind_(kind),
      prefix_(kind.prefix),
      jobs_(jobs),
      scanJob_(manager, kind.scanTimer, jobs.scanning, jobs.scanBusy),
      repairJob_(manager, kind.repairTimer, jobs.repairing, jobs.repairBusy) {}

RepairPage::~RepairPage() { StopWorkers(); }

void RepairPage::StopWorkers() {
  // Both are told first, so neither waits for the other's step to end. A repair waiting for
  // an installer stops waiting (see RepairStopRequested) but leaves the installer running:
  // stopping one half-way could leave the package broken.
  scanJob_.RequestStop();
  repairJob_.RequestStop();
  scanJob_.Stop();
  repairJob_.Stop();
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
  list_ = DuiLib::ControlAs<DuiLib::CContainerUI>(list);
  scanJob_.SetTimerControl(list_);
  repairJob_.SetTimerControl(list_);
  scaningText_ = Find(L"scaning_text");
  DuiLib::CControlUI* progress = Find(L"scaning_progress");
  scaningProgress_ = DuiLib::ControlAs<DuiLib::CProgressUI>(progress);
  scanedText_ = Find(L"scaned_text");
  scanCountsText_ = Find(L"scaned_text1");
  cancel_ = Find(L"cancel");
  repair_ = Find(L"repair");
  repairingText_ = Find(L"repairing_text");
  repairedText_ = Find(L"repaired_text");
  repairCountsText_ = Find(L"repaired_text1");
  repairedPicture_ = Find(L"repaired_picture");
  Show(scanRegion_, false);
}

void RepairPage::OnCommand(const std::string& word) {
  if (kind_.scansOnCommand && word == "scan") StartScan();
}

void RepairPage::Notify(DuiLib::TNotifyUI& msg) {
  if (SameIgnoringCase(msg.sType, L"timer")) {
    if (msg.wParam == scanJob_.Timer()) OnScanFinished();
    if (msg.wParam == repairJob_.Timer()) OnRepairFinished();
    return;
  }
  if (!SameIgnoringCase(msg.sType, L"click") || msg.pSender == nullptr) return;
  const std::wstring name = msg.pSender->GetName();
  auto is = [&](const wchar_t* role) { return SameIgnoringCase(name, prefix_ + L"_" + role); };
  if (is(L"scan") || is(L"scaned_rescan") || is(L"repaired_rescan")) {
    StartScan();
  } else if (is(L"cancel_scan")) {
    scanJob_.RequestStop();
    cancelled_ = true;
  } else if (is(L"repair")) {
    StartRepair();
  } else if (is(L"cancel_repair")) {
    repairJob_.RequestStop();
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
  if (scanJob_.Busy() || repairJob_.Busy()) return;
  Show(normalRegion_, false);
  Show(scanRegion_, true);
  BeginJob(scaning_, scanJob_, &RepairPage::ScanWorker);
}

void RepairPage::StartRepair() {
  if (repairJob_.Busy() || scanJob_.Busy()) return;
  BeginJob(repairing_, repairJob_, &RepairPage::RepairWorker);
}

void RepairPage::BeginJob(DuiLib::CControlUI* band, PageJob& job, Worker worker) {
  ShowBand(band);
  cancelled_ = false;
  job.Start([this, worker, entries = Entries()] { (this->*worker)(entries); });
}

bool RepairPage::EndJob(PageJob& job, DuiLib::CControlUI* band) {
  if (!job.Finish()) return false;
  ShowBand(band);
  return true;
}

void RepairPage::OnScanFinished() {
  if (!EndJob(scanJob_, scaned_)) return;
  const int examined = examinedCount_, installed = installedCount_;
  const std::wstring missing = std::to_wstring(examined - installed);
  PutText(scanedText_, FillIn(cancelled_ ? kind_.scanStopped : kind_.scanDone, {missing}));
  PutText(scanCountsText_, FillIn(L"已检测项：%d个  缺失：%d个  完整：%d个",
                               {std::to_wstring(examined), missing, std::to_wstring(installed)}));
  Show(cancel_, examined == installed);
  Show(repair_, examined != installed);
}

void RepairPage::OnRepairFinished() {
  if (!EndJob(repairJob_, repaired_)) return;
  const int attempted = attemptedCount_, repaired = repairedCount_, failed = attempted - repaired;
  // A repair in which rows failed never ends on the success picture and text, whatever the
  // count of the repaired ones.
  if (repairedPicture_) repairedPicture_->SetBkImage(failed > 0 ? L"repair_failed.png" : L"scaned.png");
  if (failed > 0)
    PutText(repairedText_, FillIn(L"修复结束，%d个组件修复失败", {std::to_wstring(failed)}));
  else
    PutText(repairedText_,
            FillIn(cancelled_ ? kind_.repairStopped : kind_.repairDone, {std::to_wstring(repaired)}));
  std::wstring summary = FillIn(L"已修复项：%d个  成功：%d个  失败：%d个",
                                {std::to_wstring(attempted), std::to_wstring(repaired), std::to_wstring(failed)});
  if (restartPending_) summary += L"  部分组件需要重启电脑后生效";
  PutText(repairCountsText_, summary);
}

}  // namespace repair
