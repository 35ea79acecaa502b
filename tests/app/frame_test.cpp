// The main frame under Wine: pages built and loaded in order, the page switch over the bus,
// the download pages' "init", the repair requests of the advanced-functions page, and the
// end of the program by the system's close command.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include <objbase.h>

#include "app/main_frame_window.h"
#include "page_machinery/message_bus.h"
#include "page_machinery/product.h"
#include "app/system_window.h"
#include "platform/files_and_folders.h"
#include "platform/text_conversion.h"
#include "net/user_paths.h"
#include "recording_canvas.h"
#include "recording_page.h"
#include "shell_test_support.h"
#include "tests/support/test_pictures.h"

namespace {

class RecordingFrame : public app::MainFrameWindow {
 public:
  RecordingFrame(app::AppState& state, Log* log)
      : MainFrameWindow(state, "http://127.0.0.1:1"), log_(log) {}
  std::vector<std::wstring> created;

 protected:
  app::PageWindow* CreatePage(int index) override {
    static const wchar_t* const kLayouts[] = {
        L"", L"RundllWindow.xml", L"DirectXWindow.xml", L"SysdllWindow.xml",
        L"FunctionWindow.xml", L"CPlusWinodw.xml", L"NetWindow.xml", L"GameWindow.xml"};
    created.push_back(std::to_wstring(index));
    // The real header, whose conversation fails silently against a closed port.
    if (index == 0) return MainFrameWindow::CreatePage(0);
    return new RecordingPage(&m_PaintManager, index, kLayouts[index], log_);
  }

 private:
  Log* log_;
};

class FrameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ::CoInitialize(nullptr);  // as the program's start does; the shortcut needs it
    frame_ = std::make_unique<RecordingFrame>(state_, &log_);
    ASSERT_NE(frame_->Create(nullptr, app::kProductName, 0x10CE0000, 0x100, 0, 0, 0, 0), nullptr);
    hwnd_ = frame_->GetHWND();
    // Closing makes the shortcut: here, not on the desktop of whoever runs the tests.
    wchar_t temp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, temp);
    shortcuts_ = std::wstring(temp) + L"shell_frame_" + std::to_wstring(::GetCurrentProcessId());
    ::CreateDirectoryW(shortcuts_.c_str(), nullptr);
    header()->SetShortcutFolder(shortcuts_);
  }
  void TearDown() override {
    if (::IsWindow(hwnd_)) ::DestroyWindow(hwnd_);
    PumpFor(0);
    ::DeleteFileW(Shortcut().c_str());
    ::RemoveDirectoryW(shortcuts_.c_str());
    ::CoUninitialize();
  }
  std::wstring Shortcut() const { return shortcuts_ + L"\\" + app::kProductName + L".lnk"; }

  app::SystemWindow* header() { return frame_->Header(); }
  // A click on a control of the header as the framework delivers it.
  void Click(const wchar_t* name) {
    DuiLib::CControlUI* control = frame_->m_PaintManager.FindControl(name);
    ASSERT_NE(control, nullptr);
    DuiLib::TNotifyUI msg;
    msg.sType = L"click";
    msg.pSender = control;
    header()->Notify(msg);
  }
  std::vector<int> VisibleBodyPages() {
    std::vector<int> shown;
    for (int i = 1; i < app::MainFrameWindow::kPageCount; ++i)
      if (frame_->Page(i)->IsVisible()) shown.push_back(i);
    return shown;
  }
  Log Commands() {
    Log commands;
    for (const std::string& entry : log_)
      if (entry.find(":loaded") == std::string::npos) commands.push_back(entry);
    return commands;
  }

  // Request threads may still deliver into the state after the test has ended, so each
  // test's state lives until the process ends.
  app::AppState& state_ = *new app::AppState;
  std::wstring shortcuts_;
  Log log_;
  std::unique_ptr<RecordingFrame> frame_;
  HWND hwnd_ = nullptr;
};

TEST_F(FrameTest, BuildsEveryPageByElementNameAndLoadsThemInIndexOrder) {
  EXPECT_EQ(frame_->created, (std::vector<std::wstring>{L"0", L"1", L"2", L"3", L"4", L"5", L"6", L"7"}));
  // The header loads first; it is not a recording page, so the log starts at 1.
  EXPECT_EQ(log_, (Log{"1:loaded", "2:loaded", "3:loaded", "4:loaded", "5:loaded", "6:loaded",
                       "7:loaded"}));
  EXPECT_EQ(frame_->CurrentPage(), 1);
  EXPECT_EQ(VisibleBodyPages(), (std::vector<int>{1}));
  EXPECT_TRUE(header()->IsVisible());
  RECT client;
  ::GetClientRect(hwnd_, &client);
  EXPECT_EQ(client.right, 847);
  EXPECT_EQ(client.bottom, 567);
  EXPECT_EQ(app::MainFrameWindow::PageIndex(L"RundllWindow"), 1);
  EXPECT_EQ(app::MainFrameWindow::PageIndex(L"RunDllWindow"), -1);
  EXPECT_EQ(app::MainFrameWindow::PageIndex(L"systemwindow"), -1);
}

TEST_F(FrameTest, HeaderStartsSignedOutWithTheProductTitle) {
  auto& pm = frame_->m_PaintManager;
  EXPECT_EQ(pm.FindControl(L"system_state")->GetText(), L"您尚未登录");
  EXPECT_EQ(pm.FindControl(L"system_title")->GetText(), app::kProductName);
  EXPECT_FALSE(pm.FindControl(L"system_frame")->IsVisible());
  // The body pages' controls sit in the same window under their prefixes.
  EXPECT_NE(pm.FindControl(L"rundll_scan"), nullptr);
  EXPECT_NE(pm.FindControl(L"function_kernel32_repair"), nullptr);
  EXPECT_NE(pm.FindControl(L"game_list"), nullptr);
}

TEST_F(FrameTest, TwoQuickTabClicksEndOnTheSecondPage) {
  Click(L"system_directx");
  Click(L"system_function");
  // Nothing changes until the loop delivers the posted messages.
  EXPECT_EQ(frame_->CurrentPage(), 1);
  ASSERT_TRUE(PumpUntil([&] { return frame_->CurrentPage() == 4; }, 2000));
  PumpFor(50);
  EXPECT_EQ(frame_->CurrentPage(), 4);
  EXPECT_EQ(VisibleBodyPages(), (std::vector<int>{4}));
}

TEST_F(FrameTest, DownloadTabsRerunInitEachTimeAndTheOthersDoNot) {
  for (const wchar_t* tab : {L"system_cplus", L"system_rundll", L"system_cplus", L"system_net",
                             L"system_sysdll", L"system_game", L"system_function",
                             L"system_directx", L"system_game"})
    Click(tab);
  ASSERT_TRUE(PumpUntil([&] { return Commands().size() >= 5; }, 2000));
  PumpFor(50);
  EXPECT_EQ(Commands(), (Log{"5:init", "5:init", "6:init", "7:init", "7:init"}));
  EXPECT_EQ(frame_->CurrentPage(), 7);
}

TEST_F(FrameTest, MessagesActInPostingOrderAndUnknownIdsChangeNothing) {
  app::PageWindow* page = frame_->Page(4);
  for (int id : {2131, 2124, 2129, 2132, 2130, 2136, 2224, 2231, 2129}) page->Send(id, std::string());
  ASSERT_TRUE(PumpUntil([&] { return Commands().size() >= 4; }, 2000));
  PumpFor(50);
  EXPECT_EQ(Commands(), (Log{"7:init", "5:init", "6:init", "5:init"}));
  EXPECT_EQ(frame_->CurrentPage(), 5);
}

TEST_F(FrameTest, RepairRequestsShowTheRepairPageAndStartIt) {
  frame_->Page(4)->Send(app::kMsvcp140Repair, std::string());
  ASSERT_TRUE(PumpUntil([&] { return !Commands().empty(); }, 2000));
  EXPECT_EQ(Commands(), (Log{"1:scan"}));
  // The header's "rundll" sends 2125 again: harmless, the runtime page stays.
  PumpFor(50);
  EXPECT_EQ(frame_->CurrentPage(), 1);

  log_.clear();
  frame_->Page(4)->Send(app::kKernel32Repair, std::string());
  ASSERT_TRUE(PumpUntil([&] { return !Commands().empty(); }, 2000));
  PumpFor(50);
  EXPECT_EQ(Commands(), (Log{"3:repair"}));
  EXPECT_EQ(frame_->CurrentPage(), 3);
  EXPECT_EQ(VisibleBodyPages(), (std::vector<int>{3}));
}

TEST_F(FrameTest, HeaderCommandsSelectTheirTabAndPage) {
  header()->OnCommand("sysdll");
  header()->OnCommand("nonsense");
  ASSERT_TRUE(PumpUntil([&] { return frame_->CurrentPage() == 3; }, 2000));
  header()->OnCommand("rundll");
  ASSERT_TRUE(PumpUntil([&] { return frame_->CurrentPage() == 1; }, 2000));
}

TEST_F(FrameTest, MinimiseRequestMinimisesTheFrame) {
  frame_->ShowWindow(true, false);
  Click(L"system_min");
  ASSERT_TRUE(PumpUntil([&] { return ::IsIconic(hwnd_) != FALSE; }, 3000));
}

// Counts the quit requests that reach this thread's queue while it is pumped.
int PumpCountingQuits(DWORD ms) {
  int quits = 0;
  const DWORD start = ::GetTickCount();
  while (::GetTickCount() - start < ms) {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        ++quits;
        continue;
      }
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
    ::Sleep(5);
  }
  return quits;
}

TEST_F(FrameTest, SystemCloseCommandIsTakenLikeTheCloseButton) {
  frame_->ShowWindow(true, false);
  ASSERT_EQ(::GetFileAttributesW(Shortcut().c_str()), INVALID_FILE_ATTRIBUTES);
  // Alt+F4 arrives as the system's close command.
  ::PostMessageW(hwnd_, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_EQ(PumpCountingQuits(500), 1);
  EXPECT_NE(::GetFileAttributesW(Shortcut().c_str()), INVALID_FILE_ATTRIBUTES);
  // The window stays until the program destroys it after its loop.
  EXPECT_TRUE(::IsWindow(hwnd_));
}

TEST_F(FrameTest, MenuIsMadeOnceAndSizedForTheSignInState) {
  frame_->ShowWindow(true, true);
  PumpFor(50);
  Click(L"system_menu");
  app::MenuWindow* menu = header()->Menu();
  ASSERT_NE(menu, nullptr);
  PumpFor(50);
  RECT frameRect, menuRect;
  ::GetWindowRect(hwnd_, &frameRect);
  ::GetWindowRect(menu->GetHWND(), &menuRect);
  EXPECT_EQ(menuRect.left, frameRect.left + 715);
  EXPECT_EQ(menuRect.top, frameRect.top + 30);
  EXPECT_EQ(menuRect.right - menuRect.left, 100);
  EXPECT_EQ(menuRect.bottom - menuRect.top, 60);

  net::UserInfo user;
  user.userId = 7;
  user.signedIn = true;
  user.userToken = "t";
  state_.SetUser(user);
  Click(L"system_menu");
  EXPECT_EQ(header()->Menu(), menu);
  PumpFor(50);
  ::GetWindowRect(menu->GetHWND(), &menuRect);
  EXPECT_EQ(menuRect.bottom - menuRect.top, 90);
  EXPECT_TRUE(::IsWindowVisible(menu->GetHWND()));
}

TEST_F(FrameTest, ServiceOpensTheCatalogueServiceLinkAndStateDoesNothingWhenSignedIn) {
  net::CommonCatalogue common;
  common.kfUrl = "http://127.0.0.1/service";
  state_.ReplaceCommon(common);
  std::vector<std::string> opened;
  header()->SetLinkOpener([&](const std::string& url) { opened.push_back(url); });
  Click(L"system_service");
  EXPECT_EQ(opened, (std::vector<std::string>{"http://127.0.0.1/service"}));

  net::UserInfo user;
  user.userId = 3;
  user.signedIn = true;
  user.userToken = "t";
  state_.SetUser(user);
  header()->RefreshSignInState();
  const std::wstring shown = frame_->m_PaintManager.FindControl(L"system_state")->GetText();
  Click(L"system_state");
  EXPECT_EQ(frame_->m_PaintManager.FindControl(L"system_state")->GetText(), shown);
  EXPECT_EQ(opened.size(), 1u);
}

TEST_F(FrameTest, SignInStateFollowsTheUser) {
  auto& pm = frame_->m_PaintManager;
  net::UserInfo user;
  user.userId = 42;
  user.signedIn = true;
  user.userToken = "t";
  state_.SetUser(user);
  header()->RefreshSignInState();
  EXPECT_TRUE(pm.FindControl(L"system_frame")->IsVisible());
  EXPECT_NE(pm.FindControl(L"system_state")->GetText(), L"您尚未登录");

  header()->SignOut();
  EXPECT_FALSE(state_.User().signedIn);
  EXPECT_EQ(state_.User().userId, -1);
  EXPECT_FALSE(pm.FindControl(L"system_frame")->IsVisible());
  EXPECT_EQ(pm.FindControl(L"system_state")->GetText(), L"您尚未登录");
}

// The head picture is the user's cached head image once it is on disk, and the signed-in
// picture of the skin until then.
TEST_F(FrameTest, SignedInHeaderDrawsTheCachedHeadImageOnceItExists) {
  const std::string folder = net::ImageFolder(platform::LocalAppData());
  ASSERT_TRUE(platform::EnsureFolder(folder));
  const std::wstring headFile =
      platform::AnsiToWide((folder + net::HeadImageFileName(77)).c_str());
  ::DeleteFileW(headFile.c_str());
  net::UserInfo user;
  user.userId = 77;
  user.signedIn = true;
  user.userToken = "t";
  state_.SetUser(user);
  DuiLib::CControlUI* head = frame_->m_PaintManager.FindControl(L"system_head");
  auto headPicture = [&] {
    frame_->m_PaintManager.LayoutIfNeeded();
    RecordingCanvas canvas;
    frame_->m_PaintManager.PaintInto(canvas, head->GetPos());
    RECT source{};
    for (const CanvasCall& call : canvas.calls)
      if (call.kind == CanvasCall::kImage && call.rect == head->GetPos()) source = call.source;
    return source;
  };

  header()->RefreshSignInState();
  EXPECT_EQ(headPicture(), (RECT{0, 0, 28, 28}));  // the skin's signed-in picture

  ASSERT_TRUE(
      test_support::WriteWholeFile(headFile, test_support::SolidJpeg(64, 64, 200, 90, 20)));
  header()->RefreshSignInState();
  EXPECT_EQ(headPicture(), (RECT{0, 0, 64, 64}));
  ::DeleteFileW(headFile.c_str());
}

}  // namespace
