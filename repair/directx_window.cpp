#include "repair/directx_window.h"

#include "repair/local_repair_engines.h"

namespace repair {

namespace {

const PageKind kDirectXKind = {
    L"directx",
    4001,
    4002,
    20,
    L"扫描中止，发现缺失%d个DirectX组件",
    L"扫描完成，发现缺失%d个DirectX组件",
    L"修复中止，已修复%d个DirectX组件",
    L"修复完成，已修复%d个DirectX组件",
    L"修复中",
    true,
    false,
};

}  // namespace

DirectXWindow::DirectXWindow(DuiLib::CPaintManagerUI* manager, app::AppState& state)
    : RepairPage(manager, state, kDirectXKind, Jobs()) {}

PageJobs& DirectXWindow::Jobs() {
  static PageJobs jobs;
  return jobs;
}

bool DirectXWindow::Judge(const net::CatalogueFile& entry) const {
  return DirectXPresentHere(entry);
}

EntryRepair DirectXWindow::Repair(const net::CatalogueFile& entry) const {
  return {RepairDirectXHere(entry, [this] { return RepairStopRequested(); }), false};
}

}  // namespace repair
