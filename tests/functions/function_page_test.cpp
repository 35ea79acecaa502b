// The advanced functions page in the real main frame under Wine: the tiles and the API list it
// builds, the sub-page it shows for each click, and the repairs its buttons ask of the frame,
// which here reach recording runtime and system DLL pages.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "recording_page.h"
#include "repair_page_support.h"
#include "shell_test_support.h"
#include "ui/win/button.h"
#include "ui/win/container.h"
#include "ui/win/label.h"

namespace {

constexpr int kRuntimePage = 1;
constexpr int kSysdllPage = 3;
constexpr int kFunctionPage = 4;
const wchar_t* const kSubPages[] = {
    L"function_normal",   L"function_game",         L"function_net",
    L"function_api",      L"function_000007b",      L"function_80240037",
    L"function_msvcp140", L"function_vcruntime140", L"function_kernel32"};

class FunctionFrame : public app::MainFrameWindow {
 public:
  FunctionFrame(app::AppState& state, Log* log)
      : MainFrameWindow(state, "http://127.0.0.1:1"), log_(log) {}

 protected:
  app::PageWindow* CreatePage(int index) override {
    if (index == kRuntimePage)
      return new RecordingPage(&m_PaintManager, index, L"RundllWindow.xml", log_);
    if (index == kSysdllPage)
      return new RecordingPage(&m_PaintManager, index, L"SysdllWindow.xml", log_);
    return MainFrameWindow::CreatePage(index);
  }

 private:
  Log* log_;
};

class FunctionPage : public RepairPageTest {
 protected:
  void SetUp() override {
    prefix_ = L"function";
    RepairPageTest::SetUp();
    frame_->ShowPage(kFunctionPage);
    log_.clear();
  }
  app::MainFrameWindow* NewFrame() override { return new FunctionFrame(state_, &log_); }

  // The sub-pages that are visible now.
  std::vector<std::wstring> Shown() const {
    std::vector<std::wstring> shown;
    for (const wchar_t* page : kSubPages)
      if (Visible(page)) shown.push_back(page);
    return shown;
  }
  DuiLib::CContainerUI* Container(DuiLib::CControlUI* control) const {
    return DuiLib::ControlAs<DuiLib::CContainerUI>(control);
  }
  DuiLib::CLabelUI* LabelIn(DuiLib::CControlUI* band) const {
    DuiLib::CContainerUI* container = Container(band);
    if (!container || container->GetCount() != 1) return nullptr;
    return static_cast<DuiLib::CLabelUI*>(container->GetItemAt(0)->GetInterface(L"Label"));
  }
  // Clicks and runs the frame's queue, where the bus messages wait.
  void ClickAndPump(const std::wstring& name) {
    Click(name);
    PumpFor(30);
  }

  Log log_;
};

TEST_F(FunctionPage, StartsOnTheNormalSubPageWithEightTilesInThreeRows) {
  EXPECT_EQ(Shown(), std::vector<std::wstring>{L"function_normal"});
  struct Expected {
    const wchar_t* row;
    std::vector<std::wstring> names, titles, subtitles;
  };
  const Expected rows[] = {
      {L"normal_line1",
       {L"function_game_btn", L"function_net_btn"},
       {L"游戏修复", L"网络修复"},
       {L"全面检测并修复游戏环境", L"解决不能上网的各种疑难杂症"}},
      {L"normal_line2",
       {L"function_api_btn", L"function_000007b_btn", L"function_80240037_btn"},
       {L"api类dll缺失", L"0xc000007b错误提示", L"0x80240037错误提示"},
       {L"api类缺失点击这里修复", L"此类错误提示点击这里修复", L"此类错误提示点击这里修复"}},
      {L"normal_line3",
       {L"function_msvcp140_btn", L"function_vcruntime140_btn", L"function_kernel32_btn"},
       {L"缺少msvcp140.dll", L"缺少vcruntime140.dll", L"缺少kernel32.dll"},
       {L"缺少msvcp140点击这里修复", L"缺少vcruntime140点击这里修复", L"缺少kernel32点击这里修复"}},
  };
  for (const Expected& expected : rows) {
    DuiLib::CContainerUI* row = Container(Control(expected.row));
    ASSERT_NE(row, nullptr);
    std::vector<std::wstring> names, titles, subtitles;
    for (int i = 0; i < row->GetCount(); ++i) {
      DuiLib::CContainerUI* tile = Container(row->GetItemAt(i));
      ASSERT_NE(tile, nullptr);
      // A hover tile, which sends "click" with its name as the mouse button goes down.
      EXPECT_EQ(tile->GetClass(), L"VerticalLayoutUIEx");
      ASSERT_EQ(tile->GetCount(), 2);
      names.push_back(tile->GetName());
      DuiLib::CLabelUI* title = LabelIn(tile->GetItemAt(0));
      DuiLib::CLabelUI* subtitle = LabelIn(tile->GetItemAt(1));
      ASSERT_TRUE(title && subtitle);
      titles.push_back(title->GetText());
      subtitles.push_back(subtitle->GetText());
    }
    EXPECT_EQ(names, expected.names);
    EXPECT_EQ(titles, expected.titles);
    EXPECT_EQ(subtitles, expected.subtitles);
  }
}

TEST_F(FunctionPage, TheApiListHoldsTheFourNamesAsStored) {
  DuiLib::CContainerUI* list = Container(Control(L"function_api_list"));
  ASSERT_NE(list, nullptr);
  ASSERT_EQ(list->GetCount(), 4);
  const wchar_t* const names[] = {
      L"api-ms-win-core-libraryloader-11-1-1.d11", L"api-ms-win-crt-runtime-11-1-0.d11",
      L"api-ms-win-core-com-11-1-0.d11", L"api-ms-win-downlevel-kernel32-12-1-0.d11"};
  for (int i = 0; i < 4; ++i) {
    DuiLib::CContainerUI* row = Container(list->GetItemAt(i));
    ASSERT_NE(row, nullptr);
    ASSERT_EQ(row->GetCount(), 3);
    EXPECT_EQ(row->GetItemAt(0)->GetText(), std::wstring(names[i]) + L"丢失的解决方法");
    EXPECT_EQ(row->GetItemAt(1)->GetName(), L"functionapiitem_" + std::to_wstring(i));
    EXPECT_EQ(row->GetItemAt(1)->GetText(), L"立即修复");
  }
}

TEST_F(FunctionPage, TilesShowTheirSubPageAloneAndBackAlwaysLeadsToTheTiles) {
  const wchar_t* const stems[] = {L"function_game", L"function_net", L"function_api",
                                  L"function_000007b", L"function_80240037",
                                  L"function_msvcp140", L"function_vcruntime140",
                                  L"function_kernel32"};
  for (const wchar_t* stem : stems) {
    Click(std::wstring(stem) + L"_btn");
    EXPECT_EQ(Shown(), std::vector<std::wstring>{stem});
    Click(std::wstring(stem) + L"_back");
    EXPECT_EQ(Shown(), std::vector<std::wstring>{L"function_normal"});
  }
  // Another sub-page's back button, clicked while the API page shows, still leads home.
  Click(L"function_api_btn");
  Click(L"function_kernel32_back");
  EXPECT_EQ(Shown(), std::vector<std::wstring>{L"function_normal"});
  // The sub-page shown survives a switch to another tab and back.
  Click(L"function_msvcp140_btn");
  frame_->ShowPage(kRuntimePage);
  frame_->ShowPage(kFunctionPage);
  EXPECT_EQ(Shown(), std::vector<std::wstring>{L"function_msvcp140"});
  EXPECT_TRUE(log_.empty());
}

TEST_F(FunctionPage, NamesAreMatchedWithoutLetterCaseAndTimersAndCommandsAreIgnored) {
  DuiLib::CButtonUI stray;
  stray.SetName(L"FUNCTION_NET_BTN");
  frame_->m_PaintManager.SendNotify(&stray, L"click");
  EXPECT_EQ(Shown(), std::vector<std::wstring>{L"function_net"});
  stray.SetName(L"Function_Net_Back");
  frame_->m_PaintManager.SendNotify(&stray, L"timer", 2225);
  frame_->Page(kFunctionPage)->OnCommand("init");
  EXPECT_EQ(Shown(), std::vector<std::wstring>{L"function_net"});
  frame_->m_PaintManager.SendNotify(&stray, L"CLICK");
  EXPECT_EQ(Shown(), std::vector<std::wstring>{L"function_normal"});
  PumpFor(30);
  EXPECT_TRUE(log_.empty());
}

TEST_F(FunctionPage, EveryApiRowAsksForTheSystemDllRepair) {
  Click(L"function_api_btn");
  for (int i = 0; i < 4; ++i) {
    log_.clear();
    frame_->ShowPage(kFunctionPage);
    ClickAndPump(L"functionapiitem_" + std::to_wstring(i));
    EXPECT_EQ(log_, Log{"3:repair"}) << i;
    EXPECT_EQ(frame_->CurrentPage(), kSysdllPage);
  }
}

TEST_F(FunctionPage, EachErrorTipsRepairLeadsToItsPage) {
  struct Case {
    const wchar_t* stem;
    int page;
    const char* command;
  };
  for (const Case& c : {Case{L"function_000007b", kRuntimePage, "1:scan"},
                        Case{L"function_80240037", kSysdllPage, "3:repair"},
                        Case{L"function_msvcp140", kRuntimePage, "1:scan"},
                        Case{L"function_vcruntime140", kRuntimePage, "1:scan"},
                        Case{L"function_kernel32", kSysdllPage, "3:repair"}}) {
    frame_->ShowPage(kFunctionPage);
    Click(std::wstring(c.stem) + L"_btn");
    log_.clear();
    ClickAndPump(std::wstring(c.stem) + L"_repair");
    EXPECT_EQ(log_, Log{c.command}) << c.command;
    EXPECT_EQ(frame_->CurrentPage(), c.page);
    // The page stays on the tip, ready for when its tab is chosen again.
    frame_->ShowPage(kFunctionPage);
    EXPECT_EQ(Shown(), std::vector<std::wstring>{c.stem});
  }
}

}  // namespace
