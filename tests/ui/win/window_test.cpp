// Top-level windows: creation from a layout, clicks, timers, drag area, modal loop, Escape.
#include <gtest/gtest.h>

#include "recording_canvas.h"
#include "test_window.h"
#include "ui/win/button.h"
#include "ui/win/container.h"
#include "ui/win/gif_anim.h"
#include "ui/win/progress.h"
#include "ui/win/scroll_bar.h"
#include "ui/win/skin_resource.h"

using namespace DuiLib;

namespace {

class GalleryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window_ = std::make_unique<TestWindow>(L"GalleryWindow.xml", L"TessaGalleryTest");
    ASSERT_NE(window_->CreateFramed(), nullptr);
    hwnd_ = window_->GetHWND();
    window_->m_PaintManager.LayoutIfNeeded();
  }
  void TearDown() override {
    if (::IsWindow(hwnd_)) ::DestroyWindow(hwnd_);
    PumpFor(0);
  }
  CPaintManagerUI& manager() { return window_->m_PaintManager; }
  CControlUI* Find(const wchar_t* name) {
    CControlUI* control = window_->Find(name);
    EXPECT_NE(control, nullptr) << "no control named " << std::string(name, name + wcslen(name));
    return control;
  }

  std::unique_ptr<TestWindow> window_;
  HWND hwnd_ = nullptr;
};

size_t Count(const std::vector<TestWindow::Heard>& heard, const wchar_t* type, WPARAM id) {
  size_t n = 0;
  for (const auto& h : heard) n += (h.type == type && h.wParam == id) ? 1 : 0;
  return n;
}

}  // namespace

TEST_F(GalleryTest, LayoutSizeCaptionBitsAndInitWindow) {
  RECT client;
  ::GetClientRect(hwnd_, &client);
  EXPECT_EQ(client.right, 847);
  EXPECT_EQ(client.bottom, 567);
  const LONG_PTR style = ::GetWindowLongPtrW(hwnd_, GWL_STYLE);
  EXPECT_EQ(style & WS_CAPTION, 0);
  EXPECT_NE(style & WS_CLIPCHILDREN, 0);
  EXPECT_EQ(window_->initCount, 1);
  EXPECT_EQ(manager().FindControl(L"no_such_control"), nullptr);
  EXPECT_EQ(Find(L"gallery_close")->GetPos(), (RECT{817, 0, 847, 24}));
}

TEST_F(GalleryTest, DragAreaExceptOverButtonsOptionsAndTexts) {
  RECT window;
  ::GetWindowRect(hwnd_, &window);
  auto hit = [&](POINT client) {
    return ::SendMessageW(hwnd_, WM_NCHITTEST, 0,
                          MAKELPARAM(window.left + client.x, window.top + client.y));
  };
  RECT client;
  ::GetClientRect(hwnd_, &client);
  ::MapWindowPoints(hwnd_, nullptr, reinterpret_cast<POINT*>(&client), 2);
  EXPECT_EQ(client, window) << ToString(client) << ToString(window);
  EXPECT_EQ(hit(POINT{CentreOf(Find(L"gallery_title")).x, 10}), HTCAPTION);  // a label drags
  EXPECT_EQ(hit(POINT{600, 10}), HTCAPTION);
  EXPECT_EQ(hit(CentreOf(Find(L"gallery_close"))), HTCLIENT);
  EXPECT_EQ(hit(POINT{CentreOf(Find(L"gallery_caption_text")).x, 10}), HTCLIENT);
  EXPECT_EQ(hit(POINT{400, 40}), HTCLIENT);  // below the 30-pixel caption
}

TEST_F(GalleryTest, ClickOnReleaseReachesEveryReceiverInRegistrationOrder) {
  std::vector<std::wstring> log;
  LoggingReceiver first(L"first", &log), second(L"second", &log);
  manager().AddNotifier(&first);
  manager().AddNotifier(&second);
  EXPECT_FALSE(manager().AddNotifier(&first));  // once only
  window_->onNotify = [&](TNotifyUI& msg) { log.push_back(L"window:" + msg.sType); };
  const POINT scan = CentreOf(Find(L"gallery_scan"));
  MoveTo(hwnd_, scan);
  ::SendMessageW(hwnd_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(scan.x, scan.y));
  EXPECT_TRUE(log.empty()) << "no click before the release";
  ::SendMessageW(hwnd_, WM_LBUTTONUP, 0, MAKELPARAM(scan.x, scan.y));
  ASSERT_EQ(log.size(), 3u);
  EXPECT_EQ(log[0], L"window:click");
  EXPECT_EQ(log[1], L"first:click:gallery_scan");
  EXPECT_EQ(log[2], L"second:click:gallery_scan");
  // Released somewhere else: no click.
  log.clear();
  ::SendMessageW(hwnd_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(scan.x, scan.y));
  ::SendMessageW(hwnd_, WM_LBUTTONUP, 0, MAKELPARAM(5, 300));
  EXPECT_TRUE(log.empty());
  manager().RemoveNotifier(&first);
  manager().RemoveNotifier(&second);
}

TEST_F(GalleryTest, HoverShowsTheHotPictureAndColours) {
  auto* close = static_cast<CButtonUI*>(Find(L"gallery_close"));
  auto* menu = static_cast<CButtonUI*>(Find(L"gallery_menu"));
  MoveTo(hwnd_, CentreOf(close));
  EXPECT_TRUE(close->IsHot());
  RecordingCanvas canvas;
  manager().PaintInto(canvas, close->GetPos());
  bool drewHotSprite = false;
  for (const auto& call : canvas.calls) {
    if (call.kind == CanvasCall::kImage && call.source == RECT{0, 24, 30, 48}) drewHotSprite = true;
  }
  EXPECT_TRUE(drewHotSprite);

  MoveTo(hwnd_, CentreOf(menu));
  EXPECT_FALSE(close->IsHot());
  RecordingCanvas hot;
  manager().PaintInto(hot, menu->GetPos());
  const auto texts = hot.TextCalls(L"菜单");
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].color, 0xFFFF3400u);
  EXPECT_EQ(texts[0].style.font.id, 7);
  bool filledHot = false;
  for (const auto& call : hot.calls) {
    if (call.kind == CanvasCall::kFill && call.color == 0xFFE9F5FFu) filledHot = true;
  }
  EXPECT_TRUE(filledHot);
}

TEST_F(GalleryTest, TimerIdInWParamReArmingARunningTimerFailsAndKillStopsIt) {
  CControlUI* status = Find(L"gallery_status");
  EXPECT_TRUE(manager().SetTimer(status, 8001, 10));
  EXPECT_FALSE(manager().SetTimer(status, 8001, 10));
  ASSERT_TRUE(PumpUntil([&] { return Count(window_->heard, L"timer", 8001) >= 3; }, 3000));
  for (const auto& h : window_->heard) {
    if (h.type == L"timer" && h.wParam == 8001) {
      EXPECT_EQ(h.sender, L"gallery_status");
    }
  }
  EXPECT_TRUE(manager().KillTimer(status, 8001));
  EXPECT_FALSE(manager().KillTimer(status, 8001));
  const size_t ticks = Count(window_->heard, L"timer", 8001);
  PumpFor(150);
  EXPECT_EQ(Count(window_->heard, L"timer", 8001), ticks);
  // Killed timers can be armed again.
  EXPECT_TRUE(manager().SetTimer(status, 8001, 10));
  ASSERT_TRUE(PumpUntil([&] { return Count(window_->heard, L"timer", 8001) > ticks; }, 3000));
  manager().KillTimer(status, 8001);
}

TEST_F(GalleryTest, DeferredStepTimersOfTwoPagesDoNotDisturbEachOther) {
  CControlUI* a = Find(L"gallery_status");
  CControlUI* b = Find(L"gallery_progress");
  int done5001 = 0, done6001 = 0;
  window_->onNotify = [&](TNotifyUI& msg) {
    if (msg.sType != L"timer") return;
    if (msg.wParam == 5001 && msg.pSender == a) {
      manager().KillTimer(a, 5001);
      ++done5001;
    }
    if (msg.wParam == 6001 && msg.pSender == b) {
      manager().KillTimer(b, 6001);
      ++done6001;
    }
  };
  manager().SetTimer(a, 5001, 10);
  manager().SetTimer(b, 6001, 200);
  ASSERT_TRUE(PumpUntil([&] { return done5001 == 1; }, 3000));
  EXPECT_EQ(done6001, 0);  // 6001 still waiting
  ASSERT_TRUE(PumpUntil([&] { return done6001 == 1; }, 3000));
  PumpFor(100);
  EXPECT_EQ(done5001, 1);
  EXPECT_EQ(done6001, 1);
}

TEST_F(GalleryTest, SlowPollingTimerArmedAgainKeepsItsOldInterval) {
  CControlUI* status = Find(L"gallery_status");
  ASSERT_TRUE(manager().SetTimer(status, 1003, 30000));
  EXPECT_FALSE(manager().SetTimer(status, 1003, 10));  // not re-timed to 10 ms
  PumpFor(200);
  EXPECT_EQ(Count(window_->heard, L"timer", 1003), 0u);
  manager().KillTimer(status, 1003);
}

TEST_F(GalleryTest, OptionsCheckBoxAndGroupTabs) {
  auto* check = static_cast<COptionUI*>(Find(L"gallery_check"));
  auto* rundll = static_cast<COptionUI*>(Find(L"gallery_tab_rundll"));
  EXPECT_TRUE(rundll->GetCheck());
  EXPECT_FALSE(check->GetCheck());
  ClickAt(hwnd_, CentreOf(check));
  EXPECT_TRUE(check->GetCheck());
  ClickAt(hwnd_, CentreOf(check));
  EXPECT_FALSE(check->GetCheck());
  ClickAt(hwnd_, CentreOf(rundll));
  EXPECT_TRUE(rundll->GetCheck());  // a tab is selected by a click, never deselected
}

TEST_F(GalleryTest, RepaintCoversOnlyWhatChanged) {
  ::ValidateRect(hwnd_, nullptr);
  CControlUI* status = Find(L"gallery_status");
  status->SetText(L"扫描中");
  RECT update;
  ASSERT_TRUE(::GetUpdateRect(hwnd_, &update, FALSE));
  EXPECT_EQ(update, status->GetPos()) << ToString(update);
  ::ValidateRect(hwnd_, nullptr);
  status->SetText(L"扫描中");  // the same text again: nothing to repaint
  EXPECT_FALSE(::GetUpdateRect(hwnd_, &update, FALSE));
}

// A setter run on the control it changes, with a name for the failure message.
struct SetterCase {
  const char* setter;
  const wchar_t* control;
  std::function<void(CControlUI*)> set;
};

constexpr RECT kNothing{0, 0, 0, 0};

// What a setter made the window repaint; kNothing when it repainted nothing.
RECT RepaintedBy(HWND window, CControlUI* control, const std::function<void(CControlUI*)>& set) {
  ::ValidateRect(window, nullptr);
  set(control);
  RECT update{0, 0, 0, 0};
  ::GetUpdateRect(window, &update, FALSE);
  return update;
}

TEST_F(GalleryTest, LookSettersRepaintTheirControlForANewValueAndNothingForTheSame) {
  const SetterCase cases[] = {
      {"SetEnabled", L"gallery_scan", [](CControlUI* c) { c->SetEnabled(false); }},
      {"SetBkColor", L"gallery_frame", [](CControlUI* c) { c->SetBkColor(0xFF00FF00); }},
      {"SetBorderColor", L"gallery_frame", [](CControlUI* c) { c->SetBorderColor(0xFF0000FF); }},
      {"SetBkImage", L"gallery_frame", [](CControlUI* c) { c->SetBkImage(L"file='sel.png'"); }},
      {"SetTextColor", L"gallery_status",
       [](CControlUI* c) { static_cast<CLabelUI*>(c)->SetTextColor(0xFF00FF00); }},
      {"SetValue", L"gallery_progress",
       [](CControlUI* c) { static_cast<CProgressUI*>(c)->SetValue(75); }},
      {"SetForeImage", L"gallery_progress",
       [](CControlUI* c) { static_cast<CProgressUI*>(c)->SetForeImage(L"empty.png"); }},
      {"SetCheck", L"gallery_check",
       [](CControlUI* c) { static_cast<COptionUI*>(c)->SetCheck(true); }},
      {"SetNormalImage", L"gallery_scan",
       [](CControlUI* c) { static_cast<CButtonUI*>(c)->SetNormalImage(L"scan_h.png"); }},
  };
  for (const SetterCase& setter : cases) {
    SCOPED_TRACE(setter.setter);
    CControlUI* control = Find(setter.control);
    ASSERT_NE(control, nullptr);
    const RECT first = RepaintedBy(hwnd_, control, setter.set);
    EXPECT_EQ(first, control->GetPos()) << ToString(first);
    const RECT again = RepaintedBy(hwnd_, control, setter.set);
    EXPECT_EQ(again, kNothing) << ToString(again);
  }
}

TEST_F(GalleryTest, ScrollPositionRepaintsTheBarOnlyWhenTheClampedPositionMoves) {
  auto* list = static_cast<CContainerUI*>(Find(L"gallery_list"));
  CScrollBarUI* bar = list->GetVerticalScrollBar();
  ASSERT_NE(bar, nullptr);
  const int range = bar->GetScrollRange();
  ASSERT_GT(range, 10) << "the gallery's list is meant to overflow";
  auto scrollTo = [](int pos) {
    return [pos](CControlUI* c) { static_cast<CScrollBarUI*>(c)->SetScrollPos(pos); };
  };
  EXPECT_EQ(RepaintedBy(hwnd_, bar, scrollTo(10)), bar->GetPos());
  EXPECT_EQ(RepaintedBy(hwnd_, bar, scrollTo(10)), kNothing);
  // Past either end is the end: a second push past it moves nothing.
  EXPECT_EQ(RepaintedBy(hwnd_, bar, scrollTo(range + 50)), bar->GetPos());
  EXPECT_EQ(bar->GetScrollPos(), range);
  EXPECT_EQ(RepaintedBy(hwnd_, bar, scrollTo(range + 90)), kNothing);
  EXPECT_EQ(RepaintedBy(hwnd_, bar, scrollTo(-5)), bar->GetPos());
  EXPECT_EQ(bar->GetScrollPos(), 0);
  EXPECT_EQ(RepaintedBy(hwnd_, bar, scrollTo(-40)), kNothing);
}

// These have always repainted when called, whatever the value; the shared helper must not
// quietly give them a compare.
TEST_F(GalleryTest, LayoutTextAndRangeSettersRepaintEvenForTheSameValue) {
  const SetterCase cases[] = {
      {"SetFont", L"gallery_status", [](CControlUI* c) { static_cast<CLabelUI*>(c)->SetFont(1); }},
      {"SetTextAlign", L"gallery_status",
       [](CControlUI* c) { static_cast<CLabelUI*>(c)->SetTextAlign(TextAlign::kCenter); }},
      {"SetTextPadding", L"gallery_status",
       [](CControlUI* c) { static_cast<CLabelUI*>(c)->SetTextPadding(RECT{4, 2, 4, 2}); }},
      {"SetMinValue", L"gallery_progress",
       [](CControlUI* c) { static_cast<CProgressUI*>(c)->SetMinValue(10); }},
      {"SetMaxValue", L"gallery_progress",
       [](CControlUI* c) { static_cast<CProgressUI*>(c)->SetMaxValue(90); }},
  };
  for (const SetterCase& setter : cases) {
    SCOPED_TRACE(setter.setter);
    CControlUI* control = Find(setter.control);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(RepaintedBy(hwnd_, control, setter.set), control->GetPos());
    EXPECT_EQ(RepaintedBy(hwnd_, control, setter.set), control->GetPos());
  }
}

TEST_F(GalleryTest, GifAdvancesWhileShownAndStopsWhenHidden) {
  auto* gif = static_cast<CGifAnimUI*>(Find(L"gallery_gif"));
  ::UpdateWindow(hwnd_);
  ::InvalidateRect(hwnd_, nullptr, FALSE);
  ASSERT_TRUE(PumpUntil([&] { return gif->CurrentFrame() >= 2; }, 3000));
  gif->SetVisible(false);
  PumpFor(400);  // the next tick sees it hidden and stops the timer
  const size_t frame = gif->CurrentFrame();
  PumpFor(400);
  EXPECT_EQ(gif->CurrentFrame(), frame);
  // Shown again it plays on from where it stopped; a hidden window stops it the same way.
  gif->SetVisible(true);
  ASSERT_TRUE(PumpUntil([&] { return gif->CurrentFrame() != frame; }, 3000));
  ::ShowWindow(hwnd_, SW_HIDE);
  PumpFor(400);
  const size_t hiddenFrame = gif->CurrentFrame();
  PumpFor(400);
  EXPECT_EQ(gif->CurrentFrame(), hiddenFrame);
}

TEST(ModalWindow, OwnerDisabledWhileShownEscapeClosesWithCodeOne) {
  TestWindow owner(L"GalleryWindow.xml", L"TessaModalOwner");
  ASSERT_NE(owner.CreateFramed(), nullptr);
  auto* tip = new TestWindow(L"PromptProbeWindow.xml", L"TessaModalTip");
  ASSERT_NE(tip->CreateFramed(owner.GetHWND()), nullptr);
  tip->CenterWindow();
  RECT o, t;
  ::GetWindowRect(owner.GetHWND(), &o);
  ::GetWindowRect(tip->GetHWND(), &t);
  EXPECT_NEAR((t.left + t.right) / 2, (o.left + o.right) / 2, 1);
  EXPECT_NEAR((t.top + t.bottom) / 2, (o.top + o.bottom) / 2, 1);
  bool ownerWasDisabled = false;
  int answer = 7;  // the prompt's answer variable: Escape must leave it alone
  CControlUI* text = tip->Find(L"tip_text");
  ASSERT_NE(text, nullptr);
  tip->onNotify = [&](TNotifyUI& msg) {
    if (msg.sType != L"timer") return;
    tip->m_PaintManager.KillTimer(text, 1);
    ownerWasDisabled = !::IsWindowEnabled(owner.GetHWND());
    ::PostMessageW(tip->GetHWND(), WM_KEYDOWN, VK_ESCAPE, 0);
  };
  tip->m_PaintManager.SetTimer(text, 1, 10);
  const UINT code = tip->ShowModal();
  EXPECT_EQ(code, 1u);
  EXPECT_TRUE(ownerWasDisabled);
  EXPECT_TRUE(::IsWindowEnabled(owner.GetHWND()));
  EXPECT_FALSE(::IsWindow(tip->GetHWND()));
  EXPECT_TRUE(tip->finalMessageSeen);
  EXPECT_EQ(answer, 7);
  delete tip;
  ::DestroyWindow(owner.GetHWND());
}

TEST(ModalWindow, QuitSeenInsideTheModalLoopReachesTheOuterLoop) {
  auto* tip = new TestWindow(L"PromptProbeWindow.xml", L"TessaModalQuit");
  ASSERT_NE(tip->CreateFramed(), nullptr);
  ::PostQuitMessage(3);
  tip->ShowModal();
  MSG msg;
  ASSERT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(msg.wParam, 3u);
  ::DestroyWindow(tip->GetHWND());
  delete tip;
}

TEST_F(GalleryTest, MessageFilterSeesMessagesFirstAndCanStopThem) {
  struct Filter : IMessageFilterUI {
    std::vector<UINT> seen;
    bool swallowPresses = true;
    LRESULT MessageHandler(UINT message, WPARAM, LPARAM, bool& handled) override {
      seen.push_back(message);
      handled = swallowPresses && message == WM_LBUTTONDOWN;
      return 0;
    }
  } filter;
  ASSERT_TRUE(manager().AddMessageFilter(&filter));
  window_->heard.clear();
  ClickAt(hwnd_, CentreOf(Find(L"gallery_scan")));
  EXPECT_NE(std::find(filter.seen.begin(), filter.seen.end(), WM_LBUTTONUP), filter.seen.end());
  EXPECT_TRUE(window_->heard.empty()) << "the press never reached the button";
  filter.swallowPresses = false;
  ClickAt(hwnd_, CentreOf(Find(L"gallery_scan")));
  EXPECT_EQ(window_->heard.size(), 1u);
  EXPECT_TRUE(manager().RemoveMessageFilter(&filter));
  EXPECT_FALSE(manager().RemoveMessageFilter(&filter));
}

TEST_F(GalleryTest, LabelTextUsesItsFontColourAlignmentAndPadding) {
  auto* title = static_cast<CLabelUI*>(Find(L"gallery_title"));
  RecordingCanvas canvas;
  manager().PaintInto(canvas, title->GetPos());
  const auto texts = canvas.TextCalls(L"运行库修复工具");
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].style.font.id, 3);
  EXPECT_EQ(texts[0].color, 0xFFFFFFFFu);
  EXPECT_EQ(texts[0].style.align, TextAlign::kLeft);
  RECT expected = title->GetPos();
  expected.left += 16;  // textpadding="16,0,0,0"
  EXPECT_EQ(texts[0].rect, expected);
  title->SetAttribute(L"align", L"right");
  EXPECT_EQ(title->GetTextAlign(), TextAlign::kRight);
}

TEST_F(GalleryTest, TextBoxTakesTheFocusOnAPressAndTheUserCanChangeItsText) {
  CControlUI* note = Find(L"gallery_note");
  const std::wstring before = note->GetText();
  ::SendMessageW(hwnd_, WM_CHAR, L'x', 0);
  EXPECT_EQ(note->GetText(), before) << "no focus yet: typing goes nowhere";
  ClickAt(hwnd_, CentreOf(note));
  EXPECT_EQ(manager().GetFocus(), note);
  for (wchar_t c : std::wstring(L"好a\r")) ::SendMessageW(hwnd_, WM_CHAR, c, 0);
  EXPECT_EQ(note->GetText(), before + L"好a\n");
  ::SendMessageW(hwnd_, WM_CHAR, L'\b', 0);
  ::SendMessageW(hwnd_, WM_CHAR, L'\b', 0);
  EXPECT_EQ(note->GetText(), before + L"好");
  ClickAt(hwnd_, CentreOf(Find(L"gallery_title")));  // a press elsewhere takes the focus away
  EXPECT_EQ(manager().GetFocus(), nullptr);
  ::SendMessageW(hwnd_, WM_CHAR, L'y', 0);
  EXPECT_EQ(note->GetText(), before + L"好");
}
