#pragma once
#include <functional>
#include <string>

#include "functions/game_findings.h"
#include "functions/game_platforms.h"

namespace functions {

// How long the check dwells on a platform: an installed one a whole number of steps between
// the shortest and the longest time (users of this kind of tool expect to see it work), one
// that is not installed a short moment. Tests shorten them.
struct GamePauses {
  unsigned installedShortestMs = 2000;
  unsigned installedLongestMs = 6000;
  unsigned installedSteps = 5;
  unsigned notInstalledMs = 500;
};

// What the game check and repair reach outside the sub-page. The program puts in the
// registry, the catalogue lists, the system file checker and the runtime and DirectX repair
// engines; OS-free tests put in stand-ins.
struct GameSystemOps {
  RegistryKeyProbe keyExists;
  // The runtime entries and DirectX files missing now, from the catalogue lists as they are.
  std::function<GameFindings()> collect;
  // Starts the system file checker unless one runs already; never waits for it.
  std::function<void()> startChecker;
  // Each repair is handed a question that turns true once the sub-page's work is to stop (the
  // page goes): a runtime repair then stops waiting for its installer at once.
  // What a repair reports besides its success, which the look afterwards decides anyway.
  struct RepairOutcome {
    bool repaired = false;
    bool restartPending = false;  // an installer asked for a restart (3010, 1641)
  };
  using StopRequested = std::function<bool()>;
  std::function<RepairOutcome(const net::CatalogueFile& entry, const StopRequested& stop)> repairDirectX;
  std::function<RepairOutcome(const net::CatalogueFile& entry, const StopRequested& stop)> repairRuntime;
  // A catalogue name (code page 936) as display text.
  std::function<std::wstring(const std::string& name)> nameOf;
  GamePauses pauses;
};

}  // namespace functions
