// Typed lookups of controls by kind: what a page gets back for what it found by name.
#include <gtest/gtest.h>

#include "ui/ex/extended_controls.h"
#include "ui/win/button.h"
#include "ui/win/container.h"
#include "ui/win/gif_anim.h"
#include "ui/win/layouts.h"
#include "ui/win/progress.h"
#include "ui/win/scroll_bar.h"

using namespace DuiLib;

TEST(ControlAs, NothingFoundIsNothingOfAnyKind) {
  EXPECT_EQ(ControlAs<CControlUI>(nullptr), nullptr);
  EXPECT_EQ(ControlAs<CContainerUI>(nullptr), nullptr);
  EXPECT_EQ(ControlAs<CProgressUI>(nullptr), nullptr);
  EXPECT_EQ(ControlAs<COptionUI>(nullptr), nullptr);
}

TEST(ControlAs, AControlIsItsOwnKindAndEveryKindItDerivesFrom) {
  CSliderUI slider;
  EXPECT_EQ(ControlAs<CSliderUI>(&slider), &slider);
  EXPECT_EQ(ControlAs<CProgressUI>(&slider), &slider);
  EXPECT_EQ(ControlAs<CLabelUI>(&slider), &slider);
  EXPECT_EQ(ControlAs<CControlUI>(&slider), &slider);

  CCheckBoxUI box;
  EXPECT_EQ(ControlAs<COptionUI>(&box), &box);
  EXPECT_EQ(ControlAs<CButtonUI>(&box), &box);

  DuiLibEx::CHorizontalLayoutUIEx row;
  EXPECT_EQ(ControlAs<DuiLibEx::CHorizontalLayoutUIEx>(&row), &row);
  EXPECT_EQ(ControlAs<CHorizontalLayoutUI>(&row), &row);
  EXPECT_EQ(ControlAs<CContainerUI>(&row), &row);

  DuiLibEx::CColorButtonUI colour;
  EXPECT_EQ(ControlAs<CButtonUI>(&colour), &colour);
}

TEST(ControlAs, ABaseOrASiblingIsNotTheKindAsked) {
  // The result lists tell their tick boxes from plain options by kind.
  COptionUI option;
  EXPECT_EQ(ControlAs<CCheckBoxUI>(&option), nullptr);
  CProgressUI progress;
  EXPECT_EQ(ControlAs<CSliderUI>(&progress), nullptr);
  CLabelUI label;
  EXPECT_EQ(ControlAs<CButtonUI>(&label), nullptr);
  EXPECT_EQ(ControlAs<CContainerUI>(&label), nullptr);
  CTextUI text;
  EXPECT_EQ(ControlAs<CRichEditUI>(&text), nullptr);

  CVerticalLayoutUI column;
  EXPECT_EQ(ControlAs<CHorizontalLayoutUI>(&column), nullptr);
  EXPECT_EQ(ControlAs<DuiLibEx::CVerticalLayoutUIEx>(&column), nullptr);
  EXPECT_EQ(ControlAs<CLabelUI>(&column), nullptr);

  CScrollBarUI bar;
  CGifAnimUI gif;
  EXPECT_EQ(ControlAs<CContainerUI>(&bar), nullptr);
  EXPECT_EQ(ControlAs<CScrollBarUI>(&gif), nullptr);
  EXPECT_EQ(ControlAs<CGifAnimUI>(&gif), &gif);
}
