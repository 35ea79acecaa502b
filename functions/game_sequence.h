#pragma once
#include <functional>
#include <random>

#include "functions/game_display.h"
#include "functions/game_system_ops.h"

// The game check and repair, step by step, told to a display that it does not know the
// controls of. The sub-page calls Begin on the UI thread, runs Run on a worker of its own and,
// when the worker has handed over, Finish on the UI thread again.
namespace functions {

// What a worker is told by the one who runs it: `pause` waits and answers false at once when
// the run is to stop (the page is going); `goOn` answers the same without waiting.
struct RunControl {
  std::function<bool(unsigned ms)> pause;
  std::function<bool()> goOn;
};

class GameSequence {
 public:
  GameSequence(GameSystemOps& ops, GameDisplay& display);

  // The buttons and text of a freshly opened sub-page.
  void ShowReady();
  // The disabled buttons keep a second run from starting while one is at work.
  void BeginCheck();
  void BeginRepair();

  // False when told to stop half-way: then there is nothing to finish.
  bool RunCheck(const RunControl& run);
  bool RunRepair(const RunControl& run);
  void FinishCheck();
  void FinishRepair();

 private:
  unsigned InstalledPauseMs();
  // "扫描完毕…" on the row, from the findings in hand.
  void ShowVerdict(int platform);

  GameSystemOps& ops_;
  GameDisplay& display_;
  std::minstd_rand random_;
  // Written by the check, read by the repair (the findings are renewed by the repair's own
  // look afterwards); the buttons keep the two apart.
  bool installed_[kGamePlatformCount] = {};
  GameFindings findings_;
  // Set by the repair's worker before it hands over; read when the repair is finished.
  bool restartPending_ = false;
};

}  // namespace functions
