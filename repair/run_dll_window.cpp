#include "repair/run_dll_window.h"

#include "repair/local_repair_engines.h"

namespace repair {

namespace {

const PageKind kRuntimeKind = {
    L"rundll",
    8001,
    8002,
    50,
    L"扫描中止，发现缺失%d个运行库组件",
    L"扫描完成，发现缺失%d个运行库组件",
    L"修复中止，已修复%d个运行库组件",
    L"修复完成，已修复%d个运行库组件",
    L"修复中...",
    false,
    true,
};

}  // namespace

RunDllWindow::RunDllWindow(DuiLib::CPaintManagerUI* manager, app::AppState& state)
    : RepairPage(manager, state, kRuntimeKind, Jobs()) {}

PageJobs& RunDllWindow::Jobs() {
  static PageJobs jobs;
  return jobs;
}

bool RunDllWindow::Judge(const net::CatalogueFile& entry) const {
  return RuntimePresentHere(entry);
}

EntryRepair RunDllWindow::Repair(const net::CatalogueFile& entry) const {
  const RuntimeRepairResult result = RepairRuntimeHere(entry, [this] { return RepairStopRequested(); });
  return {result.installed, result.restartPending};
}

}  // namespace repair
