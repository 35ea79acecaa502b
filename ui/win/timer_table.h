#pragma once

#include <cstdint>
#include <vector>

namespace DuiLib {

// The timers of one window, keyed by (control, id). The table holds what should run; the
// native timers follow it in Sync on the UI thread, because a worker thread may arm a
// timer but only the window's own thread can set one on the window.
class TimerTable {
 public:
  struct Entry {
    const void* control = nullptr;
    unsigned id = 0;
    unsigned intervalMs = 0;
    unsigned nativeId = 0;  // unique in the window, never reused
    bool running = false;
    unsigned generation = 0;       // bumped at each arming: the native timer must restart
    unsigned armedGeneration = 0;  // what the native timer runs, 0 for none
  };

  // False, changing nothing, when that timer is running already.
  bool Arm(const void* control, unsigned id, unsigned intervalMs);
  // False when it was not running.
  bool Kill(const void* control, unsigned id);
  void KillAll(const void* control);
  // The running timer behind a native id, or null (killed since the tick was queued).
  const Entry* FindRunning(unsigned nativeId) const;
  bool IsRunning(const void* control, unsigned id) const;

  // Brings the native timers in line: setNative(nativeId, interval), killNative(nativeId).
  template <typename SetNative, typename KillNative>
  void Sync(SetNative setNative, KillNative killNative) {
    for (size_t i = 0; i < entries_.size();) {
      Entry& entry = entries_[i];
      if (entry.running && entry.armedGeneration != entry.generation) {
        setNative(entry.nativeId, entry.intervalMs);
        entry.armedGeneration = entry.generation;
      } else if (!entry.running) {
        if (entry.armedGeneration != 0) killNative(entry.nativeId);
        entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(i));
        continue;
      }
      ++i;
    }
  }

 private:
  Entry* Find(const void* control, unsigned id);

  std::vector<Entry> entries_;
  unsigned nextNativeId_ = 1;
};

}  // namespace DuiLib
