#pragma once
#include <windows.h>

#include <atomic>

namespace repair {

// The job flags of one kind of repair page, kept for the whole process.
struct PageJobs {
  // A scan or repair worker runs; clearing the flag asks it to stop before its next entry.
  std::atomic<bool> scanning{false};
  std::atomic<bool> repairing{false};
  // From a job's start until its finishing step has run on the UI thread. A worker asked to
  // stop still finishes the entry in hand (an installer may run for minutes), and no other job
  // of the page may start meanwhile: a scan clears the rows a repair is writing into.
  std::atomic<bool> scanBusy{false};
  std::atomic<bool> repairBusy{false};
};

// What sets one kind of repair page apart from the other: its control names, timers, pause,
// texts, and two points of behaviour. The texts with "%d" take the counts in turn.
struct PageKind {
  const wchar_t* prefix;  // of every control name: "rundll"
  UINT scanTimer;
  UINT repairTimer;
  DWORD scanPauseMs;
  const wchar_t* scanStopped;
  const wchar_t* scanDone;
  const wchar_t* repairStopped;
  const wchar_t* repairDone;
  const wchar_t* repairingState;  // a row's state while its entry is being repaired
  // Whether "正在修复：" names every entry the repair visits, complete ones included, or only
  // those it is about to repair.
  bool announceEveryEntry;
  // Whether the frame's command "scan" starts a scan.
  bool scansOnCommand;
};

}  // namespace repair
