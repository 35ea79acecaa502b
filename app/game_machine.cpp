#include "app/game_machine.h"

#include "platform/text_conversion.h"
#include "platform/registry.h"
#include "repair/repairs_here.h"
#include "repair/system_file_checker.h"

namespace app {

functions::GameMachine ProgramGameMachine(AppState& state) {
  functions::GameMachine machine;
  // No view flag: a 32-bit program looks where 32-bit launchers register, as it always has.
  machine.keyExists = [](functions::RegistryHive hive, const std::string& subKey) {
    HKEY root = hive == functions::RegistryHive::kLocalMachine ? HKEY_LOCAL_MACHINE
                                                              : HKEY_CURRENT_USER;
    return platform::RegistryKeyExists(root, subKey.c_str());
  };
  machine.collect = [&state] {
    // Held for the whole look: a list the catalogue loader replaces meanwhile stays whole.
    const AppState::ListPtr runtime = state.RuntimeFiles();
    const AppState::ListPtr directx = state.DxFiles();
    return functions::CollectGameFindings(*runtime, *directx,
                                          {repair::RuntimePresentHere, repair::DirectXPresentHere});
  };
  machine.startChecker = [] { repair::StartSystemFileChecker(repair::SystemShellLauncher()); };
  using Outcome = functions::GameMachine::RepairOutcome;
  machine.repairDirectX = [](const net::CatalogueFile& entry, const functions::GameMachine::StopRequested&) {
    return Outcome{repair::RepairDirectXHere(entry), false};
  };
  machine.repairRuntime = [](const net::CatalogueFile& entry, const functions::GameMachine::StopRequested& stop) {
    const repair::RuntimeRepairResult result = repair::RepairRuntimeHere(entry, stop);
    return Outcome{result.installed, result.restartPending};
  };
  machine.nameOf = [](const std::string& name) { return platform::DisplayTextToWide(name); };
  return machine;
}

}  // namespace app
