// The timer rules every page relies on, on the table alone.
#include <gtest/gtest.h>

#include <map>

#include "ui/win/timer_table.h"

using DuiLib::TimerTable;

namespace {

// The native timers as the table leaves them: id -> interval, and how often each was set.
struct NativeTimers {
  std::map<unsigned, unsigned> running;
  std::map<unsigned, int> sets;
  void Sync(TimerTable& table) {
    table.Sync([this](unsigned id, unsigned interval) { running[id] = interval; ++sets[id]; },
               [this](unsigned id) { running.erase(id); });
  }
};

const int kPage = 0;
const int kOtherPage = 1;

}  // namespace

TEST(TimerTable, ArmingARunningTimerChangesNothingAndReportsFailure) {
  TimerTable table;
  NativeTimers native;
  EXPECT_TRUE(table.Arm(&kPage, 8001, 10));
  native.Sync(table);
  ASSERT_EQ(native.running.size(), 1u);
  const unsigned nativeId = native.running.begin()->first;
  EXPECT_FALSE(table.Arm(&kPage, 8001, 5000));
  native.Sync(table);
  EXPECT_EQ(native.running[nativeId], 10u);  // old interval kept
  EXPECT_EQ(native.sets[nativeId], 1);       // and not restarted
}

TEST(TimerTable, KilledTimerCanBeArmedAgainWithANewInterval) {
  TimerTable table;
  NativeTimers native;
  table.Arm(&kPage, 1001, 30000);
  native.Sync(table);
  EXPECT_TRUE(table.Kill(&kPage, 1001));
  EXPECT_FALSE(table.Kill(&kPage, 1001));
  native.Sync(table);
  EXPECT_TRUE(native.running.empty());
  EXPECT_TRUE(table.Arm(&kPage, 1001, 10));
  native.Sync(table);
  ASSERT_EQ(native.running.size(), 1u);
  EXPECT_EQ(native.running.begin()->second, 10u);
}

TEST(TimerTable, KillAndReArmBeforeTheUiThreadCatchesUpStillRestarts) {
  TimerTable table;
  NativeTimers native;
  table.Arm(&kPage, 5001, 10);
  native.Sync(table);
  const unsigned nativeId = native.running.begin()->first;
  table.Kill(&kPage, 5001);  // a worker kills and re-arms between two syncs
  table.Arm(&kPage, 5001, 10);
  native.Sync(table);
  EXPECT_EQ(native.sets[nativeId], 2);
  EXPECT_NE(table.FindRunning(nativeId), nullptr);
}

TEST(TimerTable, SameIdOnTwoControlsAndTwoIdsOnOneControlAreSeparateTimers) {
  TimerTable table;
  NativeTimers native;
  table.Arm(&kPage, 5001, 10);
  table.Arm(&kPage, 6001, 20);
  table.Arm(&kOtherPage, 5001, 30);
  native.Sync(table);
  EXPECT_EQ(native.running.size(), 3u);
  table.Kill(&kPage, 5001);
  native.Sync(table);
  EXPECT_TRUE(table.IsRunning(&kPage, 6001));
  EXPECT_TRUE(table.IsRunning(&kOtherPage, 5001));
  EXPECT_FALSE(table.IsRunning(&kPage, 5001));
  table.KillAll(&kPage);
  native.Sync(table);
  EXPECT_EQ(native.running.size(), 1u);
}
