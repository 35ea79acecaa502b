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
    window_ = std::make_unique<TestWindow>(L"TestPageWindow.xml", L"TessaBuilderHost");
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
  // The skin stores "RunDllWindow.xml"; the frame asks for "RundllWindow.xml".
  CDialogBuilder builder;
  std::unique_ptr<CControlUI> root(
      builder.Create(L"RundllWindow.xml", nullptr, nullptr, &manager()));
  ASSERT_NE(root, nullptr);
  EXPECT_NE(root->FindControlByName(L"rundll_scan"), nullptr);
  EXPECT_NE(root->FindControlByName(L"rundll_scan_region"), nullptr);
}

namespace {

struct TextSearch {
  std::wstring exact;
  int exactHits = 0;
  int multiLineRichEdits = 0;
};

void SearchTexts(CControlUI* control, void* context) {
  auto* search = static_cast<TextSearch*>(context);
  const std::wstring text = control->GetText();
  if (text == search->exact) ++search->exactHits;
  if (control->GetInterface(L"RichEdit") && text.find(L'\n') != std::wstring::npos)
    ++search->multiLineRichEdits;
}

}  // namespace

TEST_F(BuilderTest, TheSkinsFunctionWindowBuildsWithItsBackButtonsAndMultiLineTexts) {
  CDialogBuilder builder;
  std::unique_ptr<CControlUI> root(
      builder.Create(L"FunctionWindow.xml", nullptr, nullptr, &manager()));
  ASSERT_NE(root, nullptr) << static_cast<int>(builder.LastResult().status);
  TextSearch search{L"<返回"};
  root->ForEach(&SearchTexts, &search);
  EXPECT_GT(search.exactHits, 0);
  EXPECT_GT(search.multiLineRichEdits, 0);
}

TEST_F(BuilderTest, EveryLayoutFileOfTheSkinBuildsIntoControls) {
  const wchar_t* files[] = {L"MainFrameWindow.xml", L"AboutWindow.xml", L"MenuWindow.xml",
                            L"TipWindow.xml", L"RenewWindow.xml", L"SystemWindow.xml",
                            L"RundllWindow.xml", L"DirectXWindow.xml", L"SysdllWindow.xml",
                            L"FunctionWindow.xml", L"CPlusWinodw.xml", L"NetWindow.xml",
                            L"GameWindow.xml"};
  for (const wchar_t* file : files) {
    CDialogBuilder builder;
    std::unique_ptr<CControlUI> root(builder.Create(file, nullptr, nullptr, &manager()));
    EXPECT_NE(root, nullptr) << std::string(file, file + wcslen(file)) << " status "
                             << static_cast<int>(builder.LastResult().status);
  }
}

TEST_F(BuilderTest, MissingLayoutGivesNoRoot) {
  CDialogBuilder builder;
  EXPECT_EQ(builder.Create(L"NoSuchWindow.xml", nullptr, nullptr, &manager()), nullptr);
  EXPECT_EQ(builder.LastResult().status, LayoutBuildStatus::kReadFailed);
}

TEST_F(BuilderTest, FunctionWindowTextsComeThroughAndDefaultsApplyBeforeOwnAttributes) {
  CDialogBuilder builder;
  std::unique_ptr<CControlUI> root(
      builder.Create(L"ParserProbeWindow.xml", nullptr, nullptr, &manager()));
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
      builder.Create(L"ParserProbeWindow.xml", nullptr, nullptr, &manager()));
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
      builder.Create(L"PromptProbeWindow.xml", nullptr, &callback, &manager()));
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
  TestWindow first(L"PromptProbeWindow.xml", L"TessaSkinFirst");
  TestWindow second(L"PromptProbeWindow.xml", L"TessaSkinSecond");
  ASSERT_NE(first.CreateFramed(), nullptr);
  ASSERT_NE(second.CreateFramed(), nullptr);
  EXPECT_EQ(first.initCount, 1);
  EXPECT_EQ(second.initCount, 1);
  EXPECT_EQ(SkinResourceLoadCount(), loads);
  ::DestroyWindow(first.GetHWND());
  ::DestroyWindow(second.GetHWND());
}
