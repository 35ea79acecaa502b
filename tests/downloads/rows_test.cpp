// The rows of the download pages: built once from a list with entries, named per entry id,
// with their icon, and left alone by later "init" commands.
#include <gtest/gtest.h>

#include "fixture_client.h"
#include "page_fixture.h"
#include "platform/text_conversion.h"
#include "recording_canvas.h"
#include "shell_test_support.h"

namespace {

using downloads::RowState;
using test_support::DownloadPageTest;

using RowsTest = DownloadPageTest;

DuiLib::CContainerUI* List(DuiLib::CControlUI* control) {
  if (control == nullptr) return nullptr;
  return static_cast<DuiLib::CContainerUI*>(control->GetInterface(L"Container"));
}

TEST_F(RowsTest, AnEmptyListLeavesThePageEmptyUntilTheListHasEntries) {
  StartFrame();
  Show(kCplus);
  DuiLib::CContainerUI* list = List(Control(L"cplus_list"));
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->GetCount(), 0);
  EXPECT_FALSE(Page(kCplus)->RowsBuilt());

  catalogue_.cplusFiles = {Entry(3, 100), Entry(4, 100)};
  state_.ReplaceCommon(catalogue_);
  Show(kNet);
  Show(kCplus);
  EXPECT_EQ(list->GetCount(), 2);
  EXPECT_TRUE(Page(kCplus)->RowsBuilt());
  EXPECT_EQ(List(Control(L"net_list"))->GetCount(), 0);  // the list of .NET stays empty
}

TEST_F(RowsTest, RowsAreNamedByEntryIdAndStartOffered) {
  catalogue_.cplusFiles = {Entry(12, 100), Entry(-7, 100)};
  catalogue_.netFiles = {Entry(12, 100)};
  catalogue_.gameFiles = {Entry(30, 100)};
  StartFrame();
  for (int page : {kNet, kGame, kCplus}) Show(page);
  for (const wchar_t* name : {L"12_cplusprocess", L"12_cplusdownload", L"12_cplusinstall",
                              L"12_cpluspause", L"12_cpluscontinue", L"12_cplusdelete",
                              L"-7_cplusdownload", L"12_netdownload", L"30_gamedelete"})
    EXPECT_NE(Control(name), nullptr) << std::string(name, name + wcslen(name));
  EXPECT_EQ(StateOf(L"cplus", 12), static_cast<int>(RowState::kOffered));
  EXPECT_EQ(StateOf(L"cplus", -7), static_cast<int>(RowState::kOffered));
  // Controls of a hidden page are hidden with it.
  EXPECT_FALSE(Control(L"30_gamedownload")->IsVisible());
  Show(kGame);
  EXPECT_EQ(StateOf(L"game", 30), static_cast<int>(RowState::kOffered));
  Show(kCplus);
  EXPECT_EQ(Control(L"12_cplusdownload")->GetText(), L"下载");
  EXPECT_EQ(Control(L"12_cplusinstall")->GetText(), L"安装");
  EXPECT_EQ(Control(L"12_cplusprocess")->GetText(), L"");

  DuiLib::CContainerUI* row = List(List(Control(L"cplus_list"))->GetItemAt(0));
  ASSERT_NE(row, nullptr);
  EXPECT_EQ(row->GetName(), L"");
  EXPECT_EQ(row->GetItemAt(0)->GetText(), L"entry 12");
  EXPECT_EQ(row->GetItemAt(1)->GetText(), L"memo 12");
}

// What the row draws where its icon goes, once laid out in a shown window.
RECT IconSource(DuiLib::CPaintManagerUI& manager, DuiLib::CControlUI* row) {
  manager.LayoutIfNeeded();
  RecordingCanvas canvas;
  manager.PaintInto(canvas, row->GetPos());
  const RECT pos = row->GetPos();
  const RECT icon{pos.left + 37, pos.top + 21, pos.left + 80, pos.top + 63};
  for (const CanvasCall& call : canvas.calls)
    if (call.kind == CanvasCall::kImage && call.rect == icon) return call.source;
  return RECT{};
}

// As the header stores them: converted from the server's UTF-8 to code page 936.
TEST_F(RowsTest, NamesAndDescriptionsShowWhateverTheSystemsCodePage) {
  net::CatalogueFile entry = Entry(105, 100);
  entry.fileName = platform::Utf8ToDisplayText("Visual C++ 2015-2022 运行库 (x86)");
  entry.memo = platform::Utf8ToDisplayText("新版程序和游戏最常用的运行库");
  catalogue_.cplusFiles = {entry};
  StartFrame();
  Show(kCplus);
  DuiLib::CContainerUI* row = List(List(Control(L"cplus_list"))->GetItemAt(0));
  EXPECT_EQ(row->GetItemAt(0)->GetText(), L"Visual C++ 2015-2022 运行库 (x86)");
  EXPECT_EQ(row->GetItemAt(1)->GetText(), L"新版程序和游戏最常用的运行库");
}

TEST_F(RowsTest, IconsAreFetchedIntoTheImageFolderAndDrawnFromThere) {
  ServeIcon("21.png");
  catalogue_.gameFiles = {Entry(21, 100), Entry(22, 100)};  // 22.png is not served
  StartFrame();
  test_support::ResetFixture();
  frame_->ShowWindow(true, false);
  frame_->ShowPage(kGame);
  DuiLib::CContainerUI* list = List(Control(L"game_list"));
  // Fetched off the UI thread, drawn once there.
  ASSERT_TRUE(PumpUntil([&] {
    return IconSource(frame_->m_PaintManager, list->GetItemAt(0)) == (RECT{0, 0, 43, 42});
  }, 5000));
  ASSERT_TRUE(PumpUntil([&] { return !Page(kGame)->FetchingIcons(); }, 10000));
  // One fetch for the icon there is, three tries for the one that is not.
  EXPECT_EQ(test_support::FixtureRequestCount(), 4);
  EXPECT_NE(::GetFileAttributesA((scratch_ + "\\image\\21.png").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(::GetFileAttributesA((scratch_ + "\\image\\22.png").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(IconSource(frame_->m_PaintManager, list->GetItemAt(1)), (RECT{}));
}

// A picture server that sends a byte a second (a slow loris): the rows are there at once,
// the other icons arrive meanwhile, and the page goes within about a second when the program
// closes, whatever the slow fetch is at.
TEST_F(RowsTest, ASlowIconServerHoldsNeitherTheWindowNorTheClosingProgram) {
  ServeIcon("31.png");
  net::CatalogueFile slow = Entry(32, 100);
  slow.imgUrl = test_support::FixtureUrl("/loris?bytes=60&png=1");
  catalogue_.gameFiles = {Entry(31, 100), slow};
  StartFrame();
  frame_->ShowWindow(true, false);
  DWORD start = ::GetTickCount();
  frame_->ShowPage(kGame);
  EXPECT_LT(::GetTickCount() - start, 1000u);
  DuiLib::CContainerUI* list = List(Control(L"game_list"));
  ASSERT_EQ(list->GetCount(), 2);
  EXPECT_EQ(StateOf(L"game", 32), static_cast<int>(RowState::kOffered));
  ASSERT_TRUE(PumpUntil([&] {
    return IconSource(frame_->m_PaintManager, list->GetItemAt(0)) == (RECT{0, 0, 43, 42});
  }, 5000));
  PumpFor(1000);  // the slow one is at work now
  start = ::GetTickCount();
  ::DestroyWindow(frame_->GetHWND());
  PumpFor(0);
  frame_.reset();
  EXPECT_LT(::GetTickCount() - start, 2500u);
  EXPECT_EQ(::GetFileAttributesA((scratch_ + "\\image\\32.png").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(RowsTest, ALaterInitKeepsTheRowsAndTheirStates) {
  catalogue_.netFiles = {Entry(5, 4096), Entry(6, 100)};
  StartFrame();
  Show(kNet);
  Click(L"5_netdownload");
  ASSERT_TRUE(WaitForState(L"net", 5, RowState::kDownloaded));
  // A new list, and the tab shown again: the page keeps what it built.
  catalogue_.netFiles = {Entry(8, 100)};
  state_.ReplaceCommon(catalogue_);
  Show(kGame);
  Show(kNet);
  EXPECT_EQ(List(Control(L"net_list"))->GetCount(), 2);
  EXPECT_EQ(Control(L"8_netdownload"), nullptr);
  EXPECT_EQ(StateOf(L"net", 5), static_cast<int>(RowState::kDownloaded));
}

TEST_F(RowsTest, ClicksElsewhereAndForeignNamesDoNothing) {
  catalogue_.cplusFiles = {Entry(2, 100)};
  StartFrame();
  Show(kCplus);
  DuiLib::CContainerUI* list = List(Control(L"cplus_list"));
  // The row itself, which clicks on the press, and names of other pages or without an id.
  frame_->m_PaintManager.SendNotify(list->GetItemAt(0), L"click");
  DuiLib::CControlUI* button = Control(L"2_cplusdownload");
  for (const wchar_t* name :
       {L"_cplusdownload", L"cplusdownload", L"2_netdownload", L"9_cplusdownload"}) {
    button->SetName(name);
    frame_->m_PaintManager.SendNotify(button, L"click");
  }
  button->SetName(L"2_cplusdownload");
  // The page's timer id belongs to the page; another page's does not finish anything here.
  frame_->m_PaintManager.SendNotify(list, L"timer", 6001);
  EXPECT_FALSE(Page(kCplus)->Downloading());
  EXPECT_EQ(StateOf(L"cplus", 2), static_cast<int>(RowState::kOffered));
  EXPECT_EQ(LocalPath(kCplus, 2), "");
  EXPECT_TRUE(prompts_.empty());
}

TEST_F(RowsTest, RowsOfOneIdAllActOnTheFirstEntryWithIt) {
  net::CatalogueFile second = Entry(4, 100);
  second.downloadUrl = test_support::FixtureUrl("/gen/777");
  catalogue_.cplusFiles = {Entry(4, 2048), second};
  StartFrame();
  Show(kCplus);
  EXPECT_EQ(List(Control(L"cplus_list"))->GetCount(), 2);
  Click(L"4_cplusdownload");
  ASSERT_TRUE(WaitForState(L"cplus", 4, RowState::kDownloaded));
  const net::CatalogueList& list = state_.Common()->cplusFiles;
  EXPECT_EQ(state_.WithEntries([&] { return list[1].localPath; }), "");
  EXPECT_EQ(ReadFile(LocalPath(kCplus, 4)), Generated(2048));
}

}  // namespace
