#pragma once
#include "repair/repair_page.h"

namespace repair {

// The runtime library page: a package is complete when its registry key exists, and is
// repaired by its installer. Its element and layout file are spelled "Rundll", the class
// "RunDll".
class RunDllWindow : public RepairPage {
 public:
  RunDllWindow(DuiLib::CPaintManagerUI* manager, app::AppState& state);
  // The workers call this page's entry engine, so they end before it goes.
  ~RunDllWindow() override { StopWorkers(); }
  const wchar_t* LayoutFile() const override { return L"RundllWindow.xml"; }

  static PageJobs& Jobs();

 protected:
  app::AppState::ListPtr Entries() const override { return state_.RuntimeFiles(); }
  bool Judge(const net::CatalogueFile& entry) const override;
  EntryRepair Repair(const net::CatalogueFile& entry) const override;
  bool Result(const net::CatalogueFile& entry) const override { return entry.installed; }
  void SetResult(net::CatalogueFile& entry, bool complete) const override {
    entry.installed = complete;
  }
  std::string ShownName(const net::CatalogueFile& entry) const override { return entry.fileName; }
};

}  // namespace repair
