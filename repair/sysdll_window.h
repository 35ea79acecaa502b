#pragma once
#include <windows.h>

#include <atomic>
#include <string>
#include <vector>

#include "page_machinery/page_window.h"
#include "page_machinery/page_job.h"
#include "repair/system_dll_files.h"
#include "repair/system_file_checker.h"
#include "ui/win/container.h"
#include "ui/win/progress.h"

namespace repair {

// What the page reaches outside the UI: the folders it walks and the shell that starts the
// system file checker. The program takes the defaults; tests put their own in.
struct SysdllSystem {
  std::vector<FileSource> sources = SystemDllSources();
  ShellLauncher launch = SystemShellLauncher();
};

// The system DLL page. "一键修复" starts the system file checker, which does the repairing
// in the background, and lists every DLL and OCX file of the system folders, each counted as
// intact; the page itself reads and changes no file. No catalogue and no separate scan.
class SysdllWindow : public app::PageWindow {
 public:
  static constexpr UINT kFinishTimer = 9002;
  static constexpr int kMostRows = 101;

  explicit SysdllWindow(DuiLib::CPaintManagerUI* manager, SysdllSystem system = SysdllSystem());
  // Stops a running worker and waits for it: it writes into the page's controls.
  ~SysdllWindow() override;
  const wchar_t* LayoutFile() const override { return L"SysdllWindow.xml"; }

  // "repair" (from the advanced-functions page, through the frame) starts a run.
  void OnCommand(const std::string& word) override;
  void Notify(DuiLib::TNotifyUI& msg) override;

  // Set while a worker runs; clearing it asks the worker to stop before its next file.
  static std::atomic<bool>& Repairing();

 protected:
  void InitControls() override;

 private:
  void StartRepair();
  void Cancel();
  void RepairWorker();
  void ListFile(const std::wstring& path, int total);
  void OnRepairFinished();

  // From the start of a run until its finishing step. A worker told to stop still ends the
  // file in hand, and a run started meanwhile would share its counts and its list.
  static std::atomic<bool>& Busy();

  const SysdllSystem system_;
  repair::PageJob job_;
  std::atomic<bool> cancelled_{false};
  std::atomic<int> examinedCount_{0};
  std::atomic<int> intactCount_{0};

  bool ready_ = false;  // every control below was found
  DuiLib::CControlUI* normalRegion_ = nullptr;
  DuiLib::CControlUI* repairRegion_ = nullptr;
  DuiLib::CControlUI* repairing_ = nullptr;
  DuiLib::CControlUI* repaired_ = nullptr;
  DuiLib::CControlUI* repairingText_ = nullptr;
  DuiLib::CProgressUI* progress_ = nullptr;
  DuiLib::CControlUI* repairedText_ = nullptr;
  DuiLib::CControlUI* repairCountsText_ = nullptr;
  DuiLib::CContainerUI* list_ = nullptr;
};

}  // namespace repair
