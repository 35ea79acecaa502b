#include "ui/win/timer_table.h"

namespace DuiLib {

TimerTable::Entry* TimerTable::Find(const void* control, unsigned id) {
  for (Entry& entry : entries_) {
    if (entry.control == control && entry.id == id) return &entry;
  }
  return nullptr;
}

bool TimerTable::Arm(const void* control, unsigned id, unsigned intervalMs) {
  Entry* entry = Find(control, id);
  if (entry != nullptr && entry->running) return false;
  if (entry == nullptr) {
    entries_.push_back(Entry{});
    entry = &entries_.back();
    entry->control = control;
    entry->id = id;
    entry->nativeId = nextNativeId_++;
  }
  entry->intervalMs = intervalMs;
  entry->running = true;
  ++entry->generation;
  if (entry->generation == 0) ++entry->generation;  // 0 means "no native timer"
  return true;
}

bool TimerTable::Kill(const void* control, unsigned id) {
  Entry* entry = Find(control, id);
  if (entry == nullptr || !entry->running) return false;
  entry->running = false;
  return true;
}

void TimerTable::KillAll(const void* control) {
  for (Entry& entry : entries_) {
    if (entry.control == control) entry.running = false;
  }
}

const TimerTable::Entry* TimerTable::FindRunning(unsigned nativeId) const {
  for (const Entry& entry : entries_) {
    if (entry.nativeId == nativeId && entry.running) return &entry;
  }
  return nullptr;
}

bool TimerTable::IsRunning(const void* control, unsigned id) const {
  for (const Entry& entry : entries_) {
    if (entry.control == control && entry.id == id) return entry.running;
  }
  return false;
}

}  // namespace DuiLib
