// Workers change controls while the UI thread lays out and paints: nothing crashes, and
// no paint pass sees a change half-done.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <thread>

#include "recording_canvas.h"
#include "test_window.h"
#include "ui/win/container.h"
#include "ui/win/label.h"
#include "ui/win/progress.h"

using namespace DuiLib;

namespace {

// Workers of the program change a control now and then, not in a tight loop; a short rest
// every few changes keeps the mutex from starving the UI thread, which is not fair.
void Rest(int i) {
  if (i % 8 == 0) ::Sleep(1);
}

bool Uniform(const std::wstring& text) {
  return text.find_first_not_of(text[0]) == std::wstring::npos;
}

}  // namespace

TEST(ThreadStress, WorkersChangeTextsValuesVisibilityAndAddRowsWhileTheUiThreadPaints) {
  TestWindow window(L"GalleryWindow.xml", L"TessaStressWindow");
  ASSERT_NE(window.CreateFramed(), nullptr);
  CPaintManagerUI& manager = window.m_PaintManager;
  auto* status = static_cast<CLabelUI*>(window.Find(L"gallery_status"));
  auto* progress = static_cast<CProgressUI*>(window.Find(L"gallery_progress"));
  CControlUI* hidden = window.Find(L"gallery_hidden");
  CControlUI* frame = window.Find(L"gallery_frame");
  auto* list = static_cast<CContainerUI*>(window.Find(L"gallery_list"));
  ASSERT_TRUE(status && progress && hidden && frame && list);
  const DWORD uiThread = ::GetCurrentThreadId();

  std::atomic<bool> stop{false};
  std::atomic<int> rowsAdded{0};
  std::vector<std::thread> workers;
  workers.emplace_back([&] {
    for (int i = 0; !stop; ++i) {
      status->SetText(std::wstring(5 + i % 40, static_cast<wchar_t>(L'a' + i % 26)));
      status->SetTextColor(i % 2 ? 0xFFFF0000 : 0xFF1E90FF);
      Rest(i);
    }
  });
  workers.emplace_back([&] {
    for (int i = 0; !stop; ++i) {
      progress->SetValue(i % 101);
      Rest(i);
    }
  });
  workers.emplace_back([&] {
    for (int i = 0; !stop; ++i) {
      hidden->SetVisible(i % 2 == 0);
      frame->SetVisible(i % 3 != 0);
      Rest(i);
    }
  });
  workers.emplace_back([&] {
    for (int i = 0; !stop && i < 300; ++i) {
      auto* row = new CLabelUI;
      row->SetFixedHeight(20);
      row->SetText(std::wstring(8, static_cast<wchar_t>(L'A' + i % 26)));
      list->AddAt(row, 0);
      row->SetText(std::wstring(12, static_cast<wchar_t>(L'A' + i % 26)));
      ++rowsAdded;
      std::this_thread::yield();
    }
  });
  std::atomic<int> timerArmed{0};
  workers.emplace_back([&] {
    // The deferred-step idiom of a worker: arm a 10 ms timer for the UI thread.
    timerArmed = manager.SetTimer(list, 9002, 10) ? 1 : -1;
  });

  // Failures are counted rather than asserted at once: the workers must be joined first.
  int passes = 0, tornTexts = 0, misplacedRows = 0, statusTexts = 0;
  manager.LayoutIfNeeded();
  const RECT statusPos = status->GetPos();
  // Under Wine on two cores with four workers contending, a pass and its pump can take most
  // of a second, so the run lasts until it has enough passes as well as enough time. What
  // it must never see is one pass kept waiting for seconds.
  const DWORD start = ::GetTickCount();
  DWORD longestPass = 0;
  auto elapsed = [&] { return ::GetTickCount() - start; };
  while ((elapsed() < 1500 || passes < 5) && elapsed() < 20000) {
    const DWORD passStart = ::GetTickCount();
    RecordingCanvas canvas;
    manager.PaintInto(canvas, RECT{0, 0, 847, 567});
    ++passes;
    int previousBottom = -1;
    for (const CanvasCall& call : canvas.calls) {
      if (call.kind != CanvasCall::kText || call.text.empty()) continue;
      if (call.rect == statusPos && call.text[0] >= L'a' && call.text[0] <= L'z') {
        ++statusTexts;
        if (!Uniform(call.text)) ++tornTexts;
      }
      if (call.text.size() >= 8 && call.text[0] >= L'A' && call.text[0] <= L'Z' &&
          Uniform(call.text)) {
        // Rows of the list: laid out one under the other in the same pass.
        if (previousBottom >= 0 && call.rect.top != previousBottom) ++misplacedRows;
        previousBottom = call.rect.bottom;
      }
    }
    PumpFor(1);
    longestPass = std::max<DWORD>(longestPass, ::GetTickCount() - passStart);
  }
  stop = true;
  for (auto& worker : workers) worker.join();

  EXPECT_GE(passes, 5);  // the UI thread was never starved of the lock
  EXPECT_LT(longestPass, 4000u);
  EXPECT_GT(statusTexts, 0);
  EXPECT_EQ(tornTexts, 0);
  EXPECT_EQ(misplacedRows, 0);
  EXPECT_GT(rowsAdded.load(), 0);
  EXPECT_EQ(list->GetCount(), 12 + rowsAdded.load());
  ASSERT_EQ(timerArmed.load(), 1);
  ASSERT_TRUE(PumpUntil(
      [&] {
        for (const auto& h : window.heard) {
          if (h.type == L"timer" && h.wParam == 9002) return true;
        }
        return false;
      },
      3000));
  for (const auto& h : window.heard) {
    if (h.type == L"timer") {
      EXPECT_EQ(h.thread, uiThread) << "notification on a worker";
    }
  }
  manager.KillTimer(list, 9002);
  ::DestroyWindow(window.GetHWND());
}
