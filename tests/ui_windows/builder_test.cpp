// Layout files of the test skin built into real controls.
#include <gtest/gtest.h>

#include "test_window.h"
#include "ui/win/button.h"
#include "ui/win/dialog_builder.h"
#include "ui/win/layouts.h"
#include "ui/win/skin_resource.h"

using namespace DuiLib;

namespace {

class BuilderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(LoadSkinFromResource(::GetModuleHandleW(nullptr), L"SKINDATA"));
    window_ = std::make_unique<TestWindow>(L"RunDllWindow.xml", L"TessaBuilderHost");
    ASSERT_NE(window_->CreateFramed(), nullptr);
  }
  void TearDown() override {
    if (window_ && window_->GetHWND()) ::DestroyWindow(window_->GetHWND());
  }
  CPaintManagerUI& manager() { return window_->m_PaintManager; }

  std::unique_ptr<TestWindow> window_;
};

}  // namespace

TEST_F(BuilderTest, RundllWindowLookupFindsTheEntryStoredWithOtherCase) {
  CDialogBuilder builder;
  std::unique_ptr<CControlUI> root(
      builder.Create(L"RundllWindow.xml", nullptr, nullptr, &manager()));
  ASSERT_NE(root, nullptr);
  EXPECT_EQ(root->GetName(), L"rundll_root");
  EXPECT_NE(root->FindControlByName(L"rundll_scan"), nullptr);
}

TEST_F(BuilderTest, MissingLayoutGivesNoRoot) {
  CDialogBuilder builder;
  EXPECT_EQ(builder.Create(L"NoSuchWindow.xml", nullptr, nullptr, &manager()), nullptr);
  EXPECT_EQ(builder.LastResult().status, LayoutBuildStatus::kReadFailed);
}

TEST_F(BuilderTest, FunctionWindowTextsComeThroughAndDefaultsApplyBeforeOwnAttributes) {
  CDialogBuilder builder;
  std::unique_ptr<CControlUI> root(
      builder.Create(L"FunctionWindow.xml", nullptr, nullptr, &manager()));
  ASSERT_NE(root, nullptr);
  CControlUI* back = root->FindControlByName(L"function_back");
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(back->GetText(), L"<返回");
  auto* note = root->FindControlByName(L"paynote_text");
  ASSERT_NE(note, nullptr);
  EXPECT_EQ(note->GetText(), L"第一行说明\n第二行说明\n第三行说明");
  // The Default value's &quot; became quotes, so its attributes reached the label.
  auto* label = static_cast<CLabelUI*>(root->FindControlByName(L"function_label"));
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->GetFont(), 1);
  EXPECT_EQ(label->GetTextColor(), 0xFF123456u);
}

TEST_F(BuilderTest, ElementNamesIgnoreCaseAttributeNamesDoNot) {
  CDialogBuilder builder;
  std::unique_ptr<CControlUI> root(
      builder.Create(L"FunctionWindow.xml", nullptr, nullptr, &manager()));
  ASSERT_NE(root, nullptr);
  CControlUI* lower = root->FindControlByName(L"function_lower_case");
  ASSERT_NE(lower, nullptr);
  EXPECT_NE(lower->GetInterface(L"HorizontalLayout"), nullptr);
  EXPECT_EQ(lower->GetFixedHeight(), 20);
  // pos="0,20" width="380" height="40" Width="10": the last is not the width.
  CControlUI* sized = root->FindControlByName(L"function_case_attr");
  ASSERT_NE(sized, nullptr);
  EXPECT_EQ(sized->GetFixedWidth(), 380);
  EXPECT_EQ(sized->GetFixedHeight(), 40);
  EXPECT_EQ(sized->GetFixedXY().y, 20);
}

TEST_F(BuilderTest, UnknownElementsGoToTheCallbackAndAreSkippedWithoutOne) {
  struct Callback : IDialogBuilderCallback {
    std::vector<std::wstring> asked;
    CControlUI* CreateControl(const wchar_t* name) override {
      asked.push_back(name);
      return std::wstring(name) == L"ColorButtonUI" ? new CButtonUI : nullptr;
    }
  } callback;
  CDialogBuilder builder;
  std::unique_ptr<CControlUI> root(
      builder.Create(L"TipWindow.xml", nullptr, &callback, &manager()));
  ASSERT_NE(root, nullptr);
  EXPECT_NE(root->FindControlByName(L"tip_ok_ok"), nullptr);
  EXPECT_EQ(root->FindControlByName(L"tip_ok_cancel"), nullptr);
  EXPECT_EQ(root->FindControlByName(L"tip_wx_ok"), nullptr);
  EXPECT_NE(std::find(callback.asked.begin(), callback.asked.end(), L"BorderButtonUI"),
            callback.asked.end());
}

TEST(SkinPackageResource, SecondWindowDoesNotReopenThePackage) {
  ASSERT_TRUE(LoadSkinFromResource(::GetModuleHandleW(nullptr), L"SKINDATA"));
  const size_t loads = SkinResourceLoadCount();
  EXPECT_EQ(loads, 1u);
  TestWindow first(L"TipWindow.xml", L"TessaSkinFirst");
  TestWindow second(L"TipWindow.xml", L"TessaSkinSecond");
  ASSERT_NE(first.CreateFramed(), nullptr);
  ASSERT_NE(second.CreateFramed(), nullptr);
  EXPECT_EQ(first.initCount, 1);
  EXPECT_EQ(second.initCount, 1);
  EXPECT_EQ(SkinResourceLoadCount(), loads);
  ::DestroyWindow(first.GetHWND());
  ::DestroyWindow(second.GetHWND());
}
