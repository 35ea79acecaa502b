#pragma once
#include "repair/repair_page.h"

namespace repair {

// The DirectX page: a file is complete when it exists at its catalogue path, and is repaired
// by copying a checked download into place. It scans from its own buttons only.
class DirectXWindow : public RepairPage {
 public:
  DirectXWindow(DuiLib::CPaintManagerUI* manager, app::AppState& state);
  // The workers call this page's entry engine, so they end before it goes.
  ~DirectXWindow() override { StopWorkers(); }
  const wchar_t* LayoutFile() const override { return L"DirectXWindow.xml"; }

  static PageJobs& Jobs();

 protected:
  app::AppState::ListPtr Entries() const override { return state_.DxFiles(); }
  bool Judge(const net::CatalogueFile& entry) const override;
  EntryRepair Repair(const net::CatalogueFile& entry) const override;
  bool Result(const net::CatalogueFile& entry) const override { return entry.intact != 0; }
  void SetResult(net::CatalogueFile& entry, bool complete) const override {
    entry.intact = complete ? 1 : 0;
  }
  std::string ShownName(const net::CatalogueFile& entry) const override { return entry.filePath; }
};

}  // namespace repair
