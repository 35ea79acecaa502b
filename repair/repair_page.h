#pragma once
#include <atomic>
#include <string>

#include "page_machinery/app_state.h"
#include "page_machinery/page_window.h"
#include "page_machinery/page_job.h"
#include "page_machinery/page_kind.h"
#include "ui/win/button.h"
#include "ui/win/label.h"
#include "ui/win/progress.h"

namespace repair {

// The machinery of a scan-and-repair page: the start view and the work view with its four
// bands (scanning, scanned, repairing, repaired), the result list, and the scan and repair
// jobs, which hand over to the UI thread by a timer on the list. A page kind adds its
// names and texts (PageKind) and its entry engine (the functions below).
//
// Each worker takes the catalogue list it walks when it starts; a list that the catalogue
// loader puts in its place meanwhile is first seen by the next job.
//
// What one entry's repair came to: whether it is repaired (looked at again afterwards), and
// whether a restart is still needed for it to take effect.
struct EntryRepair {
  bool repaired = false;
  bool restartPending = false;
};

class RepairPage : public app::PageWindow {
 public:
  RepairPage(DuiLib::CPaintManagerUI* manager, app::AppState& state, const PageKind& kind,
             PageJobs& jobs);
  ~RepairPage() override;

  void OnCommand(const std::string& word) override;
  void Notify(DuiLib::TNotifyUI& msg) override;

 protected:
  void InitControls() override;
  // Stops a job still running and waits for its worker, which writes into this page's
  // controls and calls the entry engine below. Every page kind calls it from its own
  // destructor, while the engine is still there.
  void StopWorkers();

  // The entry engine, called on the workers.
  virtual app::AppState::ListPtr Entries() const = 0;
  // Whether the entry is complete on this machine now.
  virtual bool Judge(const net::CatalogueFile& entry) const = 0;
  virtual EntryRepair Repair(const net::CatalogueFile& entry) const = 0;
  // The entry's last result (installed, intact); read and written under the entry lock.
  virtual bool Result(const net::CatalogueFile& entry) const = 0;
  virtual void SetResult(net::CatalogueFile& entry, bool complete) const = 0;
  // How the entry is named in the list and in the scan's progress text.
  virtual std::string ShownName(const net::CatalogueFile& entry) const = 0;
  // For an engine that waits long inside one entry: the repair was cancelled or the page is
  // going, so the wait should end.
  bool RepairStopRequested() const { return !repairJob_.Running(); }

  app::AppState& state_;

 private:
  DuiLib::CControlUI* Find(const wchar_t* role) const;
  void ShowBand(DuiLib::CControlUI* band);
  void BackToStart();
  using Worker = void (RepairPage::*)(app::AppState::ListPtr entries);
  void StartScan();
  void StartRepair();
  // Shows the job's band and starts its worker on the current list.
  void BeginJob(DuiLib::CControlUI* band, PageJob& job, Worker worker);
  // The start of a finishing step: the job is finished and its band shown; false for a tick
  // that no worker of that job sent.
  bool EndJob(PageJob& job, DuiLib::CControlUI* band);
  void OnScanFinished();
  void OnRepairFinished();
  void ScanWorker(app::AppState::ListPtr entries);
  void RepairWorker(app::AppState::ListPtr entries);
  void RepairOne(net::CatalogueFile& entry);
  bool RecordedResult(const net::CatalogueFile& entry) const;

  const PageKind& kind_;
  const std::wstring prefix_;
  PageJobs& jobs_;
  PageJob scanJob_;
  PageJob repairJob_;
  std::atomic<bool> cancelled_{false};
  std::atomic<int> examinedCount_{0};
  std::atomic<int> installedCount_{0};
  std::atomic<int> attemptedCount_{0};
  std::atomic<int> repairedCount_{0};
  std::atomic<bool> restartPending_{false};

  DuiLib::CControlUI* normalRegion_ = nullptr;
  DuiLib::CControlUI* scanRegion_ = nullptr;
  DuiLib::CControlUI* scaning_ = nullptr;
  DuiLib::CControlUI* scaned_ = nullptr;
  DuiLib::CControlUI* repairing_ = nullptr;
  DuiLib::CControlUI* repaired_ = nullptr;
  DuiLib::CContainerUI* list_ = nullptr;
  DuiLib::CControlUI* scaningText_ = nullptr;
  DuiLib::CProgressUI* scaningProgress_ = nullptr;
  DuiLib::CControlUI* scanedText_ = nullptr;
  DuiLib::CControlUI* scanCountsText_ = nullptr;
  DuiLib::CControlUI* cancel_ = nullptr;
  DuiLib::CControlUI* repair_ = nullptr;
  DuiLib::CControlUI* repairingText_ = nullptr;
  DuiLib::CControlUI* repairedText_ = nullptr;
  DuiLib::CControlUI* repairCountsText_ = nullptr;
  DuiLib::CControlUI* repairedPicture_ = nullptr;
};

}  // namespace repair
