// The drop shadow: a layered, click-through window right behind its window.
#include <gtest/gtest.h>

#include "test_window.h"
#include "ui/ex/wnd_shadow.h"

using DuiLib::CWndShadow;

TEST(WndShadow, AlphaFallsFromDarknessAtTheEdgeToNothingAtTheSize) {
  EXPECT_EQ(CWndShadow::AlphaAt(0, 3, 5, 150), 150);
  EXPECT_EQ(CWndShadow::AlphaAt(3, 3, 5, 150), 0);
  EXPECT_EQ(CWndShadow::AlphaAt(9, 3, 5, 150), 0);
  int previous = 255;
  for (int d = 0; d <= 10; ++d) {
    const int alpha = CWndShadow::AlphaAt(d, 10, 5, 150);
    EXPECT_LE(alpha, previous) << d;
    previous = alpha;
  }
  // A sharper shadow keeps more of its darkness further out.
  EXPECT_GT(CWndShadow::AlphaAt(5, 10, 20, 150), CWndShadow::AlphaAt(5, 10, 0, 150));
}

TEST(WndShadow, RefusesOffsetsAndSizesOutOfRange) {
  CWndShadow shadow;
  EXPECT_TRUE(shadow.SetPosition(0, 0));
  EXPECT_TRUE(shadow.SetPosition(-20, 20));
  EXPECT_FALSE(shadow.SetPosition(21, 0));
  EXPECT_FALSE(shadow.SetPosition(0, -21));
  EXPECT_FALSE(shadow.SetSize(-1));
  EXPECT_FALSE(shadow.SetDarkness(256));
}

TEST(WndShadow, LayeredWindowAroundTheWindowFollowsItsMoves) {
  ASSERT_TRUE(CWndShadow::Initialize(::GetModuleHandleW(nullptr)));
  // Under Wine without a compositor the shadow is left out; its behaviour is checked anyway.
  const bool blend = CWndShadow::LayeredWindowsBlend();
  CWndShadow::SetLayeredWindowsBlend(true);
  TestWindow window(L"PromptProbeWindow.xml", L"TessaShadowed");
  ASSERT_NE(window.CreateFramed(), nullptr);
  CWndShadow shadow;
  ASSERT_TRUE(shadow.Create(window.GetHWND()));
  shadow.SetPosition(0, 0);
  ASSERT_TRUE(shadow.SetSize(3));
  HWND layer = shadow.GetHWND();
  const LONG exStyle = ::GetWindowLongW(layer, GWL_EXSTYLE);
  EXPECT_NE(exStyle & WS_EX_LAYERED, 0);
  EXPECT_NE(exStyle & WS_EX_TRANSPARENT, 0);
  EXPECT_TRUE(::IsWindowVisible(layer));
  ::SetWindowPos(window.GetHWND(), nullptr, 100, 80, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  RECT w, s;
  ::GetWindowRect(window.GetHWND(), &w);
  ::GetWindowRect(layer, &s);
  EXPECT_EQ(s.left, w.left - 3);
  EXPECT_EQ(s.top, w.top - 3);
  EXPECT_EQ(s.right, w.right + 3);
  EXPECT_EQ(s.bottom, w.bottom + 3);
  ::ShowWindow(window.GetHWND(), SW_HIDE);
  EXPECT_FALSE(::IsWindowVisible(layer));
  ::DestroyWindow(window.GetHWND());
  EXPECT_FALSE(::IsWindow(layer));  // goes with its window
  CWndShadow::SetLayeredWindowsBlend(blend);
}

TEST(WndShadow, NoShadowWindowWhereLayeredWindowsAreNotBlended) {
  const bool blend = CWndShadow::LayeredWindowsBlend();
  CWndShadow::SetLayeredWindowsBlend(false);
  TestWindow window(L"PromptProbeWindow.xml", L"TessaUnshadowed");
  ASSERT_NE(window.CreateFramed(), nullptr);
  CWndShadow shadow;
  EXPECT_TRUE(shadow.Create(window.GetHWND()));
  EXPECT_TRUE(shadow.SetSize(3));
  EXPECT_EQ(shadow.GetHWND(), nullptr);
  ::DestroyWindow(window.GetHWND());
  CWndShadow::SetLayeredWindowsBlend(blend);
}
