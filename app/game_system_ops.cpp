#include "app/game_system_ops.h"

#include "platform/text_conversion.h"
#include "platform/registry.h"
#include "repair/local_repair_engines.h"
#include "repair/system_file_checker.h"

namespace app {

functions::GameSystemOps ProgramGameSystemOps(AppState& state) {
  functions::GameSystemOps ops;
  // No view flag: a 32-bit program looks where 32-bit launchers register, as it always has.
  ops.keyExists = [](functions::RegistryHive hive, const std::string& subKey) {
    HKEY root = hive == functions::RegistryHive::kLocalMachine ? HKEY_LOCAL_MACHINE
                                                              : HKEY_CURRENT_USER;
    return platform::RegistryKeyExists(root, subKey.c_str());
  };
  ops.collect = [&state] {
    // Held for the whole look: a list the catalogue loader replaces meanwhile stays whole.
    const AppState::ListPtr runtime = state.RuntimeFiles();
    const AppState::ListPtr directx = state.DxFiles();
    return functions::CollectGameFindings(
        *runtime, *directx,
        {repair::RuntimePresentHere, repair::DirectXPresentHere, repair::DirectXAppliesHere});
  };
  ops.startChecker = [] { repair::StartSystemFileChecker(repair::SystemShellLauncher()); };
  using Outcome = functions::GameSystemOps::RepairOutcome;
  ops.repairDirectX = [](const net::CatalogueFile& entry, const functions::GameSystemOps::StopRequested& stop) {
    return Outcome{repair::RepairDirectXHere(entry, stop), false};
  };
  ops.repairRuntime = [](const net::CatalogueFile& entry, const functions::GameSystemOps::StopRequested& stop) {
    const repair::RuntimeRepairResult result = repair::RepairRuntimeHere(entry, stop);
    return Outcome{result.installed, result.restartPending};
  };
  ops.nameOf = [](const std::string& name) { return platform::DisplayTextToWide(name); };
  return ops;
}

}  // namespace app
