// The browser layer in a real window under Wine, with the recording engine behind the seam:
// the control keeps the engine's window on its rectangle, hands focus on, opens web pages
// only, and passes what the page reports to its listener exactly as it came.
#include <gtest/gtest.h>

#include <thread>

#include "browser/cef_common_ui.h"
#include "browser/cef_main_init.h"
#include "recording_engine.h"
#include "test_window.h"
#include "ui/win/container.h"

namespace {

struct RecordingListener : browser::CefListener {
  std::vector<browser::ScriptMessage> messages;
  std::vector<int> loads;
  void OnBrowserMessage(const browser::ScriptMessage& message) override { messages.push_back(message); }
  void OnPageLoaded(int status) override { loads.push_back(status); }
};

// The browser's window rectangle in its parent's client coordinates.
RECT PlacedAt(HWND window) {
  RECT rect;
  ::GetWindowRect(window, &rect);
  ::MapWindowPoints(nullptr, ::GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

bool SameRect(const RECT& a, const RECT& b) { return ::EqualRect(&a, &b) != FALSE; }

// The sign-in window's layout hosts the control in "web", inside "ready", as the program does.
class BrowserControlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(window_.CreateFramed(), nullptr);
    window_.ShowWindow(true, false);
    window_.Find(L"load")->SetVisible(false);
    window_.Find(L"ready")->SetVisible(true);
    web_ = static_cast<DuiLib::CContainerUI*>(window_.Find(L"web")->GetInterface(L"Container"));
    ASSERT_NE(web_, nullptr);
  }
  void TearDown() override {
    if (::IsWindow(window_.GetHWND())) ::DestroyWindow(window_.GetHWND());
    PumpFor(0);
  }

  // A control for `url` added to "web"; returns once the engine has made its browser.
  browser::CCefCommonUI* AddControl(const std::wstring& url) {
    auto* control = new browser::CCefCommonUI(&window_.m_PaintManager, &listener_);
    control->SetUrl(url);
    web_->Add(control);
    const size_t before = engine_.Browsers().size();
    EXPECT_TRUE(PumpUntil([&] { return engine_.Browsers().size() > before && control->BrowserWindow(); }, 5000));
    return control;
  }
  bool PlacedOnControl(browser::CCefCommonUI* control) {
    return PumpUntil([&] {
      window_.m_PaintManager.LayoutIfNeeded();
      HWND page = control->BrowserWindow();
      const RECT pos = control->GetPos();
      return page && ::IsWindowVisible(page) && SameRect(PlacedAt(page), pos) && !::IsRectEmpty(&pos);
    }, 3000);
  }
  bool Hidden(browser::CCefCommonUI* control) {
    return PumpUntil([&] { return !::IsWindowVisible(control->BrowserWindow()); }, 3000);
  }

  RecordingEngine engine_;
  CurrentEngineScope scope_{&engine_};
  RecordingListener listener_;
  TestWindow window_{L"CefLogonWindow.xml", L"TessaBrowserTestWindow"};
  DuiLib::CContainerUI* web_ = nullptr;
};

TEST_F(BrowserControlTest, TheBrowserIsMadeInTheHostWindowAndStaysOnTheControl) {
  browser::CCefCommonUI* control = AddControl(L"http://127.0.0.1:1/page");
  const auto& made = *engine_.Browsers().back();
  EXPECT_EQ(made.parent, window_.GetHWND());
  EXPECT_EQ(made.loads, std::vector<std::wstring>{L"http://127.0.0.1:1/page"});
  ASSERT_TRUE(PlacedOnControl(control));

  // A larger window lays "web" out wider and taller; the page follows.
  const RECT before = control->GetPos();
  ::SetWindowPos(window_.GetHWND(), nullptr, 0, 0, 500, 650, SWP_NOMOVE | SWP_NOZORDER);
  ASSERT_TRUE(PlacedOnControl(control));
  EXPECT_GT(control->GetPos().right - control->GetPos().left, before.right - before.left);
}

TEST_F(BrowserControlTest, VisibilityFollowsTheControlAndItsParents) {
  browser::CCefCommonUI* control = AddControl(L"http://127.0.0.1:1/page");
  ASSERT_TRUE(PlacedOnControl(control));

  window_.Find(L"ready")->SetVisible(false);  // a parent: the waiting picture is back
  EXPECT_TRUE(Hidden(control));
  window_.Find(L"ready")->SetVisible(true);
  EXPECT_TRUE(PlacedOnControl(control));

  control->SetVisible(false);
  EXPECT_TRUE(Hidden(control));
  ::InvalidateRect(window_.GetHWND(), nullptr, TRUE);  // a paint does not show it again
  PumpFor(200);
  EXPECT_FALSE(::IsWindowVisible(control->BrowserWindow()));
  control->SetVisible(true);
  EXPECT_TRUE(PlacedOnControl(control));
}

TEST_F(BrowserControlTest, AControlMadeHiddenGetsItsBrowserHidden) {
  window_.Find(L"ready")->SetVisible(false);
  browser::CCefCommonUI* control = AddControl(L"http://127.0.0.1:1/page");
  EXPECT_TRUE(Hidden(control));
  window_.Find(L"ready")->SetVisible(true);
  EXPECT_TRUE(PlacedOnControl(control));
}

TEST_F(BrowserControlTest, OnlyWebPagesAreOpened) {
  auto* control = new browser::CCefCommonUI(&window_.m_PaintManager, &listener_);
  control->SetUrl(L"file:///C:/windows/win.ini");
  EXPECT_EQ(control->GetUrl(), L"about:blank");
  control->SetUrl(L"HTTPS://127.0.0.1:1/first");
  web_->Add(control);
  ASSERT_TRUE(PumpUntil([&] { return control->BrowserWindow() != nullptr; }, 5000));
  const auto& made = *engine_.Browsers().back();
  control->SetUrl(L"javascript:alert(1)");
  control->SetUrl(L"http://127.0.0.1:1/second");
  control->ApplyAttribute("homepage", "http://127.0.0.1:1/third");
  PumpFor(100);
  EXPECT_EQ(made.loads,
            (std::vector<std::wstring>{L"HTTPS://127.0.0.1:1/first", L"http://127.0.0.1:1/second",
                                       L"http://127.0.0.1:1/third"}));
}

TEST_F(BrowserControlTest, TheWindowsFocusIsHandedToThePage) {
  browser::CCefCommonUI* control = AddControl(L"http://127.0.0.1:1/page");
  ::SendMessageW(window_.GetHWND(), WM_SETFOCUS, 0, 0);
  ::SendMessageW(window_.GetHWND(), WM_KILLFOCUS, 0, 0);
  PumpFor(100);
  EXPECT_EQ(engine_.Browsers().back()->focus, (std::vector<bool>{true, false}));
  // A hidden control's page does not take the focus.
  control->SetVisible(false);
  ::SendMessageW(window_.GetHWND(), WM_SETFOCUS, 0, 0);
  PumpFor(100);
  EXPECT_EQ(engine_.Browsers().back()->focus.size(), 2u);
}

TEST_F(BrowserControlTest, ScriptMessagesReachTheListenerExactlyAsTheyCame) {
  AddControl(L"http://127.0.0.1:1/page");
  EXPECT_TRUE(listener_.messages.empty());  // a page that calls nothing sends nothing
  engine_.FireLoadEnd(0, 200);
  engine_.FireLoadEnd(0, 404);  // a sub-frame's load is reported as well
  EXPECT_EQ(listener_.loads, (std::vector<int>{200, 404}));
  EXPECT_TRUE(listener_.messages.empty());

  engine_.FireScriptMessage(0, "wxCallback", {"CODE", "1", "LOGIN"});
  engine_.FireScriptMessage(0, "wxCallback", {"only"});
  engine_.FireScriptMessage(0, "wxCallback", {});
  engine_.FireScriptMessage(0, "somethingElse", {"x", "", "z"});
  ASSERT_EQ(listener_.messages.size(), 4u);
  EXPECT_EQ(listener_.messages[0].name, "wxCallback");
  EXPECT_EQ(listener_.messages[0].arguments, (std::vector<std::string>{"CODE", "1", "LOGIN"}));
  EXPECT_EQ(listener_.messages[1].arguments, (std::vector<std::string>{"only"}));
  EXPECT_TRUE(listener_.messages[2].arguments.empty());
  // Any name reaches the listener, which decides; empty texts keep their place.
  EXPECT_EQ(listener_.messages[3].name, "somethingElse");
  EXPECT_EQ(listener_.messages[3].arguments, (std::vector<std::string>{"x", "", "z"}));
}

TEST_F(BrowserControlTest, AControlThatGoesClosesItsBrowserAndHearsNoMore) {
  browser::CCefCommonUI* control = AddControl(L"http://127.0.0.1:1/page");
  HWND page = control->BrowserWindow();
  web_->Remove(control);
  const auto& made = *engine_.Browsers().back();
  EXPECT_TRUE(PumpUntil([&] { return made.closed; }, 3000));
  EXPECT_FALSE(::IsWindow(page));
  engine_.FireScriptMessage(0, "wxCallback", {"late"});
  EXPECT_TRUE(listener_.messages.empty());
}

TEST_F(BrowserControlTest, AControlThatGoesBeforeItsBrowserIsMadeGetsNone) {
  auto* control = new browser::CCefCommonUI(&window_.m_PaintManager, &listener_);
  control->SetUrl(L"http://127.0.0.1:1/page");
  web_->Add(control);
  web_->Remove(control);  // the creation task is still queued
  PumpFor(200);
  EXPECT_TRUE(engine_.Browsers().empty());
}

TEST_F(BrowserControlTest, AControlAddedFromAWorkerThreadGetsItsBrowserOnTheEngineThread) {
  browser::CCefCommonUI* control = nullptr;
  std::thread worker([&] {
    control = new browser::CCefCommonUI(&window_.m_PaintManager, &listener_);
    control->SetUrl(L"http://127.0.0.1:1/page");
    web_->Add(control);
  });
  // The worker only queues the creation; the pump below runs it.
  worker.join();
  ASSERT_TRUE(PumpUntil([&] { return control->BrowserWindow() != nullptr; }, 5000));
  EXPECT_EQ(::GetWindowThreadProcessId(control->BrowserWindow(), nullptr), ::GetCurrentThreadId());
  EXPECT_TRUE(PlacedOnControl(control));
}

TEST(CefMainInit, AnEngineThatCannotStartFailsTheStartAndLeavesNoEngine) {
  bool succeeded = true;
  auto init = browser::CefMainInit::Create(::GetModuleHandleW(nullptr), succeeded,
                                           [] { return std::unique_ptr<browser::Engine>(); });
  EXPECT_FALSE(succeeded);
  EXPECT_EQ(browser::CurrentEngine(), nullptr);
}

TEST(CefMainInit, TheStartedEngineIsCurrentUntilTheSetUpIsReleased) {
  bool succeeded = false;
  browser::Engine* started = nullptr;
  auto init = browser::CefMainInit::Create(::GetModuleHandleW(nullptr), succeeded, [&] {
    auto engine = std::make_unique<RecordingEngine>();
    started = engine.get();
    return std::unique_ptr<browser::Engine>(std::move(engine));
  });
  EXPECT_TRUE(succeeded);
  EXPECT_EQ(browser::CurrentEngine(), started);
  init.reset();
  EXPECT_EQ(browser::CurrentEngine(), nullptr);
}

}  // namespace
