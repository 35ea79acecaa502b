// Pages built into the frame's paint manager, and the extended controls.
#include <gtest/gtest.h>

#include "test_window.h"
#include "ui/ex/control_factory.h"
#include "ui/ex/extended_controls.h"
#include "ui/win/button.h"
#include "ui/win/child_window.h"

using namespace DuiLib;
using namespace DuiLibEx;

namespace {

class TestPage : public ChildWindow {
 public:
  TestPage(CPaintManagerUI* manager, std::wstring prefix)
      : ChildWindow(manager), prefix_(std::move(prefix)) {}
  void InitControls() override {
    ++initCount;
    scan = FindControl(L"rundll_scan");
  }
  void Notify(TNotifyUI& msg) override {
    if (msg.sType == L"click" && msg.pSender && msg.pSender->GetName().rfind(prefix_, 0) == 0)
      acted.push_back(msg.pSender->GetName());
    ++heard;
  }
  int initCount = 0;
  int heard = 0;
  CControlUI* scan = nullptr;
  std::vector<std::wstring> acted;

 private:
  std::wstring prefix_;
};

class FrameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    frame_ = std::make_unique<TestWindow>(L"GalleryWindow.xml", L"TessaFrameTest");
    ASSERT_NE(frame_->CreateFramed(), nullptr);
    body_ = static_cast<CContainerUI*>(frame_->Find(L"gallery_main"));
    ASSERT_NE(body_, nullptr);
  }
  void TearDown() override { ::DestroyWindow(frame_->GetHWND()); }
  CPaintManagerUI& manager() { return frame_->m_PaintManager; }

  std::unique_ptr<TestWindow> frame_;
  CContainerUI* body_ = nullptr;
};

}  // namespace

TEST_F(FrameTest, PageLoadsItsLayoutRegistersAndEveryPageHearsEveryClick) {
  auto* rundll = new TestPage(&manager(), L"rundll_");
  auto* other = new TestPage(&manager(), L"directx_");
  body_->AddAt(rundll, 0);
  body_->AddAt(other, 0);
  ASSERT_TRUE(rundll->LoadLayout(L"TestPageWindow.xml"));
  EXPECT_EQ(rundll->initCount, 1);
  ASSERT_NE(rundll->scan, nullptr);
  rundll->SetFixedHeight(300);
  manager().LayoutIfNeeded();
  ClickAt(frame_->GetHWND(), CentreOf(rundll->scan));
  ASSERT_EQ(rundll->acted.size(), 1u);
  EXPECT_EQ(rundll->acted[0], L"rundll_scan");
  EXPECT_EQ(other->heard, 0);  // not registered: its layout never loaded
  EXPECT_FALSE(other->LoadLayout(L"NoSuchPage.xml"));
  EXPECT_EQ(other->initCount, 0);
  EXPECT_EQ(other->GetCount(), 0);
}

TEST_F(FrameTest, RowWithoutNameClicksOnButtonDownAndHoverColoursEndWhite) {
  auto* row = new CHorizontalLayoutUIEx;
  row->SetFixedHeight(40);
  row->SetAttribute(L"bkcolor", L"#FF123456");
  auto* label = new CLabelUI;
  label->SetText(L"行");
  row->Add(label);
  body_->AddAt(row, 0);
  manager().LayoutIfNeeded();
  const POINT inside = CentreOf(label);
  MoveTo(frame_->GetHWND(), inside);
  EXPECT_EQ(row->GetBkColor(), 0xFFE9F5FFu);  // hot while over one of its labels
  frame_->heard.clear();
  ::SendMessageW(frame_->GetHWND(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(inside.x, inside.y));
  ASSERT_EQ(frame_->heard.size(), 1u);  // on the press, before any release
  EXPECT_EQ(frame_->heard[0].type, L"click");
  EXPECT_EQ(frame_->heard[0].sender, L"");
  ::SendMessageW(frame_->GetHWND(), WM_LBUTTONUP, 0, MAKELPARAM(inside.x, inside.y));
  EXPECT_EQ(frame_->heard.size(), 1u);
  MoveTo(frame_->GetHWND(), POINT{2, 300});
  EXPECT_EQ(row->GetBkColor(), 0xFFFFFFFFu);
}

TEST_F(FrameTest, TileRemovedByItsOwnClickIsNotTouchedAfterwards) {
  auto* tile = new CVerticalLayoutUIEx;
  tile->SetName(L"function_game_btn");
  tile->SetFixedHeight(50);
  body_->AddAt(tile, 0);
  manager().LayoutIfNeeded();
  std::vector<std::wstring> senders;
  frame_->onNotify = [&](TNotifyUI& msg) {
    senders.push_back(msg.pSender->GetName());
    body_->Remove(msg.pSender);  // a receiver that drops the tile it was told about
  };
  ClickAt(frame_->GetHWND(), CentreOf(tile));
  ASSERT_EQ(senders.size(), 1u);
  EXPECT_EQ(senders[0], L"function_game_btn");
  EXPECT_EQ(body_->GetItemIndex(tile), -1);
}

TEST(ExtendedControls, ColourButtonDisabledKeepsColourOnEnterAndTakesNormalOnLeave) {
  std::unique_ptr<CControlUI> made(CreatePromptControl(L"WXColorButtonUI"));
  auto* button = static_cast<CColorButtonUI*>(made->GetInterface(L"ColorButtonUI"));
  ASSERT_NE(button, nullptr);
  button->SetAttribute(L"bkcolor", L"#FF777777");
  TEventUI enter;
  enter.Type = UIEVENT_MOUSEENTER;
  button->DoEvent(enter);
  EXPECT_EQ(button->GetBkColor(), 0xFF41D582u);
  button->SetEnabled(false);
  button->SetAttribute(L"bkcolor", L"#FF777777");
  button->DoEvent(enter);
  EXPECT_EQ(button->GetBkColor(), 0xFF777777u);
  TEventUI leave;
  leave.Type = UIEVENT_MOUSELEAVE;
  button->DoEvent(leave);
  EXPECT_EQ(button->GetBkColor(), 0xFF0DAB51u);
}

TEST(ExtendedControls, BorderButtonColoursBorderAndTextTogether) {
  CBorderButtonUI button;
  TEventUI event;
  event.Type = UIEVENT_MOUSEENTER;
  button.DoEvent(event);
  EXPECT_EQ(button.GetTextColor(), 0xFF2791FCu);
  event.Type = UIEVENT_MOUSELEAVE;
  button.DoEvent(event);
  EXPECT_EQ(button.GetTextColor(), 0xFFFFFFFFu);
}

TEST(ExtendedControls, FactoryIgnoresCasePromptNamesAreExact) {
  const std::pair<const wchar_t*, const wchar_t*> kinds[] = {
      {L"horizontallayoutex", L"HorizontalLayoutEx"},
      {L"VERTICALLAYOUTUIEX", L"VerticalLayoutUIEx"},
      {L"borderbuttonui", L"BorderButtonUI"},
      {L"ColorButtonUI", L"ColorButtonUI"}};
  for (const auto& kind : kinds) {
    std::unique_ptr<CControlUI> control(CreateExtendedControl(kind.first));
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->GetClass(), kind.second);
    EXPECT_EQ(control->GetInterface(kind.second), control.get());
  }
  EXPECT_EQ(CreateExtendedControl(L"Button"), nullptr);
  EXPECT_EQ(CreatePromptControl(L"colorbuttonui"), nullptr);
  EXPECT_EQ(CreatePromptControl(L"HorizontalLayoutEx"), nullptr);
  std::unique_ptr<CControlUI> border(CreatePromptControl(L"BorderButtonUI"));
  EXPECT_NE(border, nullptr);
}

TEST_F(FrameTest, PromptOpenedFromATilePressGetsTheMouse) {
  auto* tile = new CVerticalLayoutUIEx;
  tile->SetName(L"function_net_btn");
  tile->SetFixedHeight(50);
  body_->AddAt(tile, 0);
  manager().LayoutIfNeeded();
  HWND frame = frame_->GetHWND();
  HWND captureDuringPrompt = frame;
  UINT code = 0;
  frame_->onNotify = [&](TNotifyUI& msg) {
    if (msg.sType != L"click" || msg.pSender != tile) return;
    // The tile clicks on the press, while the frame still has the mouse captured.
    TestWindow* prompt = new TestWindow(L"PromptProbeWindow.xml", L"TessaTilePrompt");
    prompt->CreateFramed(frame);
    CControlUI* text = prompt->Find(L"tip_text");
    prompt->onNotify = [&, prompt, text](TNotifyUI& tick) {
      if (tick.sType != L"timer") return;
      prompt->m_PaintManager.KillTimer(text, 1);
      captureDuringPrompt = ::GetCapture();
      ::PostMessageW(prompt->GetHWND(), WM_KEYDOWN, VK_ESCAPE, 0);
    };
    prompt->m_PaintManager.SetTimer(text, 1, 10);
    code = prompt->ShowModal();
    delete prompt;
  };
  const POINT centre = CentreOf(tile);
  MoveTo(frame, centre);
  ::SendMessageW(frame, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(centre.x, centre.y));
  EXPECT_EQ(code, 1u);
  EXPECT_NE(captureDuringPrompt, frame);
  ::SendMessageW(frame, WM_LBUTTONUP, 0, MAKELPARAM(centre.x, centre.y));
}

TEST_F(FrameTest, ButtonLosingTheCaptureMidPressDropsItsPushWithoutClicking) {
  auto* button = new CButtonUI;
  button->SetName(L"frame_probe_button");
  button->SetFixedHeight(40);
  body_->AddAt(button, 0);
  manager().LayoutIfNeeded();
  HWND frame = frame_->GetHWND();
  const POINT centre = CentreOf(button);
  MoveTo(frame, centre);
  ::SendMessageW(frame, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(centre.x, centre.y));
  EXPECT_TRUE(button->IsPushed());
  TestWindow other(L"PromptProbeWindow.xml", L"TessaCaptureThief");
  ASSERT_NE(other.CreateFramed(), nullptr);
  ::SetCapture(other.GetHWND());
  EXPECT_FALSE(button->IsPushed());
  ::ReleaseCapture();
  frame_->heard.clear();
  ::SendMessageW(frame, WM_LBUTTONUP, 0, MAKELPARAM(centre.x, centre.y));
  EXPECT_TRUE(frame_->heard.empty());
  ::DestroyWindow(other.GetHWND());
}
