// Layout arithmetic of the containers, on trees without a window.
#include <gtest/gtest.h>

#include <memory>

#include "recording_canvas.h"
#include "ui/win/button.h"
#include "ui/win/layouts.h"

using namespace DuiLib;

namespace {

CControlUI* Child(int fixedWidth, int fixedHeight) {
  auto* control = new CControlUI;
  control->SetFixedWidth(fixedWidth);
  control->SetFixedHeight(fixedHeight);
  return control;
}

}  // namespace

TEST(ShareSpace, FixedSizesKeptAndRestSharedEquallyWithRemainderToLast) {
  EXPECT_EQ(ShareSpace({100, 0, 0}, 301), (std::vector<int>{100, 100, 101}));
  EXPECT_EQ(ShareSpace({0, 0, 0}, 10), (std::vector<int>{3, 3, 4}));
  // Fixed sizes larger than the room: sharing children get nothing, fixed ones keep theirs.
  EXPECT_EQ(ShareSpace({200, 0, 150}, 300), (std::vector<int>{200, 0, 150}));
  EXPECT_TRUE(ShareSpace({}, 100).empty());
}

TEST(HorizontalLayout, FixedWidthsKeptRestSharedHeightsFixedOrFull) {
  CHorizontalLayoutUI row;
  CControlUI* a = Child(100, 0);
  CControlUI* b = Child(0, 20);
  CControlUI* c = Child(0, 0);
  row.Add(a);
  row.Add(b);
  row.Add(c);
  row.SetPos(RECT{10, 5, 410, 55});
  EXPECT_EQ(a->GetPos(), (RECT{10, 5, 110, 55})) << ToString(a->GetPos());
  EXPECT_EQ(b->GetPos(), (RECT{110, 5, 260, 25})) << ToString(b->GetPos());
  EXPECT_EQ(c->GetPos(), (RECT{260, 5, 410, 55})) << ToString(c->GetPos());
}

TEST(VerticalLayout, HiddenChildTakesNoSpaceAndItsSiblingFillsIt) {
  CVerticalLayoutUI page;
  CControlUI* header = Child(0, 60);
  auto* normal = new CHorizontalLayoutUI;
  auto* scanning = new CHorizontalLayoutUI;
  page.Add(header);
  page.Add(normal);
  page.Add(scanning);
  page.SetPos(RECT{0, 0, 800, 460});
  EXPECT_EQ(normal->GetPos(), (RECT{0, 60, 800, 260}));
  EXPECT_EQ(scanning->GetPos(), (RECT{0, 260, 800, 460}));
  // Region switching: one state shown, the other hidden.
  normal->SetVisible(false);
  page.SetPos(RECT{0, 0, 800, 460});
  EXPECT_EQ(scanning->GetPos(), (RECT{0, 60, 800, 460}));
  EXPECT_FALSE(normal->IsVisible());
}

TEST(VerticalLayout, HidingAContainerHidesItsChildrenAndShowingBringsThemBack) {
  CVerticalLayoutUI outer;
  auto* inner = new CHorizontalLayoutUI;
  auto* label = new CLabelUI;
  inner->Add(label);
  outer.Add(inner);
  inner->SetVisible(false);
  EXPECT_FALSE(label->IsVisible());
  inner->SetVisible(true);
  EXPECT_TRUE(label->IsVisible());
  // A child added to a hidden container starts hidden too.
  inner->SetVisible(false);
  auto* late = new CLabelUI;
  inner->Add(late);
  EXPECT_FALSE(late->IsVisible());
}

TEST(FloatingControl, PosThenWidthAndHeightPlaceAndSizeIt) {
  CHorizontalLayoutUI row;
  auto* label = new CLabelUI;
  row.Add(label);
  label->SetAttribute(L"float", L"true");
  label->SetAttribute(L"pos", L"0,20");
  label->SetAttribute(L"width", L"380");
  label->SetAttribute(L"height", L"40");
  row.SetPos(RECT{100, 200, 900, 300});
  EXPECT_EQ(label->GetPos(), (RECT{100, 220, 480, 260})) << ToString(label->GetPos());

  // A run-time pos with two numbers moves it and keeps its size.
  label->SetAttribute(L"pos", L"90,20");
  row.SetPos(RECT{100, 200, 900, 300});
  EXPECT_EQ(label->GetPos(), (RECT{190, 220, 570, 260})) << ToString(label->GetPos());

  // Four numbers set the size as well.
  label->SetAttribute(L"pos", L"10,10,60,30");
  row.SetPos(RECT{100, 200, 900, 300});
  EXPECT_EQ(label->GetPos(), (RECT{110, 210, 160, 230})) << ToString(label->GetPos());
}

TEST(FloatingControl, LeavesTheFlowOfItsSiblings) {
  CHorizontalLayoutUI row;
  CControlUI* a = Child(0, 0);
  auto* floating = new CControlUI;
  floating->SetAttribute(L"float", L"true");
  floating->SetAttribute(L"pos", L"5,5");
  CControlUI* b = Child(0, 0);
  row.Add(a);
  row.Add(floating);
  row.Add(b);
  row.SetPos(RECT{0, 0, 200, 40});
  EXPECT_EQ(a->GetPos(), (RECT{0, 0, 100, 40}));
  EXPECT_EQ(b->GetPos(), (RECT{100, 0, 200, 40}));
}

TEST(Container, AddAtZeroPutsFirstAndRemoveAtDestroysTheChild) {
  CVerticalLayoutUI list;
  auto* first = new CLabelUI;
  first->SetName(L"first");
  auto* second = new CLabelUI;
  second->SetName(L"second");
  list.Add(first);
  EXPECT_TRUE(list.AddAt(second, 0));
  ASSERT_EQ(list.GetCount(), 2);
  EXPECT_EQ(list.GetItemAt(0), second);
  EXPECT_EQ(list.GetItemAt(1), first);
  EXPECT_TRUE(list.AddAt(Child(0, 10), 99));  // past the end appends
  EXPECT_EQ(list.GetCount(), 3);
  EXPECT_FALSE(list.RemoveAt(3));
  EXPECT_TRUE(list.RemoveAt(0));
  EXPECT_EQ(list.GetItemAt(0), first);
  list.RemoveAll();
  EXPECT_EQ(list.GetCount(), 0);
  EXPECT_FALSE(list.Add(nullptr));
}

TEST(ScrollingList, ScrollBarOnlyWhenRowsAreTallerThanTheList) {
  CVerticalLayoutUI list;
  list.SetAttribute(L"vscrollbar", L"true");
  list.SetAttribute(L"width", L"300");
  for (int i = 0; i < 3; ++i) list.Add(Child(0, 40));
  list.SetPos(RECT{0, 0, 300, 200});
  ASSERT_NE(list.GetVerticalScrollBar(), nullptr);
  EXPECT_FALSE(list.GetVerticalScrollBar()->IsVisible());
  EXPECT_EQ(list.GetItemAt(0)->GetPos().right, 300);

  for (int i = 0; i < 5; ++i) list.Add(Child(0, 40));  // 320 pixels of rows in 200
  list.SetPos(RECT{0, 0, 300, 200});
  CScrollBarUI* bar = list.GetVerticalScrollBar();
  EXPECT_TRUE(bar->IsVisible());
  EXPECT_EQ(bar->GetScrollRange(), 120);
  // Rows make room for the bar.
  EXPECT_EQ(list.GetItemAt(0)->GetPos().right, 300 - bar->GetWidth());
  list.SetScrollPos(500);  // clamped to the range
  list.SetPos(RECT{0, 0, 300, 200});
  EXPECT_EQ(list.GetScrollPos(), 120);
  EXPECT_EQ(list.GetItemAt(7)->GetPos().bottom, 200);
}

TEST(Attributes, RunTimeChangesMeanTheSameAsLayoutLinesAndBadValuesChangeNothing) {
  CButtonUI button;
  button.SetAttribute(L"bkcolor", L"#FF1E90FF");
  EXPECT_EQ(button.GetBkColor(), 0xFF1E90FFu);
  button.SetAttribute(L"bkcolor", L"blue");
  EXPECT_EQ(button.GetBkColor(), 0xFF1E90FFu);
  button.SetAttribute(L"textcolor", L"#FF2BA715");
  EXPECT_EQ(button.GetTextColor(), 0xFF2BA715u);
  button.SetAttribute(L"textpadding", L"1,2,3,4");
  EXPECT_EQ(button.GetTextPadding(), (RECT{1, 2, 3, 4}));
  button.SetAttribute(L"visible", L"false");
  EXPECT_FALSE(button.IsVisible());
  // Control attribute names are exact: "Width" is not the fixed width.
  button.SetAttribute(L"Width", L"40");
  EXPECT_EQ(button.GetFixedWidth(), 0);
  button.SetAttribute(L"width", L"40");
  EXPECT_EQ(button.GetFixedWidth(), 40);
}
