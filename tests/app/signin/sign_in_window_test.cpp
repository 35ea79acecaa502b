// The sign-in window in the real main frame, against the real catalogue server with the demo
// provider, behind the recording proxy (with-catalogue-server). The recording engine stands in
// for the page's engine: it fetches the page the window shows from the server, follows the
// demo page's "确认登录" link and reports what the server's own callback page calls. A director
// on a timer of the UI thread plays the user of the modal windows.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <regex>
#include <string>
#include <thread>
#include <vector>

#include "app/main_frame_window.h"
#include "page_machinery/product.h"
#include "app/settings.h"
#include "app/system_window.h"
#include "browser/mshtml/mshtml_engine_win.h"
#include "net/http_request.h"
#include "platform/files_and_folders.h"
#include "platform/text_conversion.h"
#include "net/user_paths.h"
#include "recording_engine.h"
#include "shell_test_support.h"
#include "ui/win/container.h"
#include "ui/win/manager_registry.h"
#include "ui/win/wide_text.h"

namespace {

using Lines = std::vector<std::string>;

// A GET on its own thread; empty text when the transfer failed.
std::string Fetch(const std::string& url) {
  struct Keep : net::HttpListener {
    std::string body;
    void OnHttpResponse(int, bool ok, const std::string* reply) override {
      if (ok && reply) body = *reply;
    }
  } keep;
  auto request = std::make_unique<net::HttpRequest>(0);
  request->url = url;
  request->listener = &keep;
  std::thread([&] { net::RunRequest(std::move(request)); }).join();
  return keep.body;
}

std::string Unescape(std::string html) {
  for (size_t at; (at = html.find("&amp;")) != std::string::npos;) html.replace(at, 5, "&");
  return html;
}

// What the engine reports for the demo page: its load, then the call that the server's callback
// page makes after "确认登录" (its three arguments as the page passes them).
struct DemoPage {
  bool loaded = false;
  std::vector<std::string> arguments;
};

DemoPage PlayDemoPage(const std::string& pageUrl) {
  DemoPage page;
  const std::string html = Fetch(pageUrl);
  std::smatch approve;
  if (!std::regex_search(html, approve, std::regex(R"(href="([^"]*/signin/demo/approve\?[^"]*)\")"))) return page;
  page.loaded = true;
  const std::string callback = Fetch(Unescape(approve[1]));
  std::smatch call;
  if (std::regex_search(callback, call, std::regex(R"(wxCallback\('([^']*)','([^']*)','([^']*)'\))")))
    page.arguments = {call[1], call[2], call[3]};
  return page;
}

// The user of the modal windows, played from a timer of the UI thread (which every modal loop
// dispatches). Each tick looks at what is on screen and does the next thing.
struct Director {
  static Director* current;
  std::function<void(HWND signIn)> onSignInWindow;  // each tick while a sign-in window shows
  std::vector<std::pair<std::wstring, std::wstring>> prompts;  // title, message
  DWORD deadline = 0;
  bool timedOut = false;
  HWND lastPrompt = nullptr;

  static DuiLib::CControlUI* Control(HWND window, const wchar_t* name) {
    DuiLib::CPaintManagerUI* manager = window ? DuiLib::FindManagerOf(window) : nullptr;
    return manager ? manager->FindControl(name) : nullptr;
  }
  static void Click(HWND window, const wchar_t* name) {
    if (DuiLib::CControlUI* control = Control(window, name)) control->GetManager()->SendNotify(control, L"click");
  }
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    Director& d = *current;
    if (::GetTickCount() > d.deadline) {
      d.timedOut = true;
      for (const wchar_t* cls : {L"Main_Tip", L"Main_CefLogon"})
        if (HWND w = ::FindWindowW(cls, nullptr)) ::PostMessageW(w, WM_CLOSE, 0, 0);
      return;
    }
    HWND prompt = ::FindWindowW(L"Main_Tip", nullptr);
    if (prompt && ::IsWindowVisible(prompt)) {
      DuiLib::CControlUI* title = Control(prompt, L"tip_ok_title");
      DuiLib::CControlUI* message = Control(prompt, L"tip_ok_message");
      if (!title || !message || title->GetText().empty()) return;
      if (prompt != d.lastPrompt) d.prompts.emplace_back(title->GetText(), message->GetText());
      d.lastPrompt = prompt;
      Click(prompt, L"tip_ok_ok");
      return;
    }
    HWND signIn = ::FindWindowW(L"Main_CefLogon", nullptr);
    if (signIn && ::IsWindowVisible(signIn) && d.onSignInWindow) d.onSignInWindow(signIn);
  }
};
Director* Director::current = nullptr;

bool Shows(HWND window, const wchar_t* name) {
  DuiLib::CControlUI* control = Director::Control(window, name);
  return control && control->IsVisible();
}

// The number of browser controls in the window's "web" (its own three pictures and texts apart).
int BrowserControls(HWND window) {
  DuiLib::CControlUI* web = Director::Control(window, L"web");
  auto* container = DuiLib::ControlAs<DuiLib::CContainerUI>(web);
  if (!container) return 0;
  int count = 0;
  for (int i = 0; i < container->GetCount(); ++i)
    if (container->GetItemAt(i)->GetInterface(L"CefCommon")) ++count;
  return count;
}

class SignInTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (std::getenv("TESSA_PROXY_URL") == nullptr) GTEST_SKIP() << "run by with-catalogue-server";
    log_ = UnixPathFromEnvironment("TESSA_PROXY_LOG");
    std::ofstream(log_, std::ios::trunc);
    std::ofstream(UnixPathFromEnvironment("TESSA_PROXY_RULES"), std::ios::trunc);
    app::ForgetSignIn();
    state_.channel = "guanwang";
    frame_ = std::make_unique<app::MainFrameWindow>(state_, std::getenv("TESSA_PROXY_URL"));
    ASSERT_NE(frame_->Create(nullptr, app::kProductName, 0x10CE0000, 0x100, 0, 0, 0, 0), nullptr);
    frame_->ShowWindow(true, true);
    director_.deadline = ::GetTickCount() + 40000;
    Director::current = &director_;
  }
  void TearDown() override {
    for (std::thread& player : players_) player.join();
    if (frame_ && ::IsWindow(frame_->GetHWND())) ::DestroyWindow(frame_->GetHWND());
    PumpFor(0);
    app::ForgetSignIn();
  }

  void Rule(const std::string& line) { std::ofstream(UnixPathFromEnvironment("TESSA_PROXY_RULES"), std::ios::app) << line << "\n"; }
  Lines Requests(const std::string& path) {
    Lines lines;
    std::ifstream in(log_);
    for (std::string line; std::getline(in, line);)
      if (line.rfind(path, 0) == 0) lines.push_back(line);
    return lines;
  }
  // Clicks "您尚未登录" as the user would; returns when the sign-in loop has ended.
  void ClickStateLabel() {
    DuiLib::CControlUI* state = frame_->m_PaintManager.FindControl(L"system_state");
    ASSERT_NE(state, nullptr);
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 30, &Director::Tick);
    frame_->m_PaintManager.SendNotify(state, L"click");
    ::KillTimer(nullptr, timer);
    EXPECT_FALSE(director_.timedOut) << "the sign-in window was still open at the deadline";
    EXPECT_EQ(::FindWindowW(L"Main_CefLogon", nullptr), nullptr);
  }
  // The first `pages` browsers that the window makes show the demo page and report it; later
  // ones stay blank. `code` replaces the authorisation code when set.
  void PlayPages(size_t pages, const std::string& code = std::string()) {
    engine_.onCreated = [this, pages, code](size_t index) {
      if (index >= pages) return;
      const std::string url = DuiLib::WideToUtf8(engine_.Browsers()[index]->loads.front());
      players_.emplace_back([this, index, url, code] {
        DemoPage page = PlayDemoPage(url);
        engine_.PostTask([this, index, page, code]() mutable {
          if (!page.loaded) return;
          engine_.FireLoadEnd(index, 200);
          if (page.arguments.size() == 3 && !code.empty()) page.arguments[0] = code;
          if (!page.arguments.empty()) engine_.FireScriptMessage(index, "wxCallback", page.arguments);
        });
      });
    };
  }
  std::string HeadImage() { return net::ImageFolder(platform::LocalAppData()) + net::HeadImageFileName(state_.User().userId); }

  // Reply threads may still deliver into the state after the test, so it lives on.
  app::AppState& state_ = *new app::AppState;
  RecordingEngine engine_;
  CurrentEngineScope scope_{&engine_};
  std::unique_ptr<app::MainFrameWindow> frame_;
  Director director_;
  std::vector<std::thread> players_;  // the engine's page fetches, joined before it goes
  std::string log_;
};

TEST_F(SignInTest, TheDemoSignInStoresTheUserAndClosesAndTheHeaderShowsTheUser) {
  PlayPages(1);
  ClickStateLabel();

  const net::UserInfo user = state_.User();
  EXPECT_TRUE(user.signedIn);
  EXPECT_GE(user.userId, 0);
  EXPECT_FALSE(user.userToken.empty());
  EXPECT_EQ(app::ReadStoredToken(), user.userToken);
  EXPECT_TRUE(platform::FileExists(HeadImage())) << HeadImage();
  EXPECT_TRUE(director_.prompts.empty());

  // The header: "已登录" and the frame around the head picture.
  EXPECT_EQ(frame_->m_PaintManager.FindControl(L"system_state")->GetText(), L"已登录");
  EXPECT_TRUE(frame_->m_PaintManager.FindControl(L"system_frame")->IsVisible());

  // The menu has room for sign-out now, and sign-out brings the anonymous header back.
  frame_->m_PaintManager.SendNotify(frame_->m_PaintManager.FindControl(L"system_menu"), L"click");
  ASSERT_NE(frame_->Header()->Menu(), nullptr);
  RECT menu;
  ::GetWindowRect(frame_->Header()->Menu()->GetHWND(), &menu);
  EXPECT_EQ(menu.bottom - menu.top, 90);
  Director::Click(frame_->Header()->Menu()->GetHWND(), L"menu_logout");
  EXPECT_EQ(frame_->m_PaintManager.FindControl(L"system_state")->GetText(), L"您尚未登录");
  EXPECT_EQ(app::ReadStoredToken(), "");

  // One page request and one exchange, with the page's sign-in code handed back.
  const Lines pages = Requests("/api/dll/user/wechat/login?");
  const Lines results = Requests("/api/dll/user/getOpenId?");
  ASSERT_EQ(pages.size(), 1u);
  ASSERT_EQ(results.size(), 1u);
  EXPECT_NE(pages[0].find("commodityType=1&isCef=true&channelNum=guanwang&mac="), std::string::npos) << pages[0];
  EXPECT_TRUE(std::regex_search(results[0], std::regex(
      "channelNum=guanwang&mac=[0-9A-F]{2}(-[0-9A-F]{2}){5}&code=[A-Za-z0-9_-]+&commodityType=1&loginCode=[0-9a-f]{32} ")))
      << results[0];
  ASSERT_EQ(engine_.Browsers().size(), 1u);
  const std::string loginCode = results[0].substr(results[0].find("loginCode=") + 10, 32);
  EXPECT_NE(DuiLib::WideToUtf8(engine_.Browsers()[0]->loads.front()).find("loginCode=" + loginCode), std::string::npos);
}

TEST_F(SignInTest, AHeadImageThatIsThereIsNotFetchedAgain) {
  PlayPages(2);  // one page per sign-in
  ClickStateLabel();
  ASSERT_TRUE(state_.User().signedIn);
  const std::string image = HeadImage();
  // Our own bytes in its place: a fetch would overwrite them with the server's picture.
  { std::ofstream(image, std::ios::binary | std::ios::trunc) << "kept"; }

  app::SystemWindow* header = frame_->Header();
  header->SignOut();
  ClickStateLabel();
  ASSERT_TRUE(state_.User().signedIn);
  EXPECT_EQ(HeadImage(), image);  // the same demo user for the same PC
  std::ifstream in(image, std::ios::binary);
  std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(content, "kept");
}

TEST_F(SignInTest, ARefusedExchangeShowsTheServersMessageAndWaitsForANewPage) {
  PlayPages(1, "not-the-granted-code");
  bool waitingAgain = false;
  director_.onSignInWindow = [&](HWND window) {
    // After the prompt: the waiting picture again, and a browser for a second page.
    if (director_.prompts.empty() || Requests("/api/dll/user/wechat/login?").size() < 2) return;
    if (engine_.Browsers().size() < 2) {
      waitingAgain = waitingAgain || (Shows(window, L"load") && !Shows(window, L"ready"));
      return;
    }
    Director::Click(window, L"close");
  };
  ClickStateLabel();

  ASSERT_EQ(director_.prompts.size(), 1u);
  EXPECT_EQ(director_.prompts[0].first, L"错误提示");
  EXPECT_EQ(director_.prompts[0].second, L"授权码无效，请重新扫码");
  EXPECT_TRUE(waitingAgain);
  EXPECT_EQ(Requests("/api/dll/user/wechat/login?").size(), 2u);
  EXPECT_FALSE(state_.User().signedIn);
  EXPECT_EQ(app::ReadStoredToken(), "");
  EXPECT_EQ(frame_->m_PaintManager.FindControl(L"system_state")->GetText(), L"您尚未登录");
}

TEST_F(SignInTest, APageRequestThatIsRefusedShowsTheFailurePromptAndTheWindowWaits) {
  Rule(R"(/api/dll/user/wechat/login reply {"code":"500","msg":"busy","data":{}})");
  DWORD answered = 0;
  bool stayedWaiting = true;
  director_.onSignInWindow = [&](HWND window) {
    if (director_.prompts.empty()) return;
    if (answered == 0) answered = ::GetTickCount();
    stayedWaiting = stayedWaiting && Shows(window, L"load") && !Shows(window, L"ready") && BrowserControls(window) == 0;
    if (::GetTickCount() - answered > 1500) Director::Click(window, L"close");
  };
  ClickStateLabel();
  ASSERT_EQ(director_.prompts.size(), 1u);
  EXPECT_EQ(director_.prompts[0].first, L"请求服务失败");
  EXPECT_EQ(director_.prompts[0].second, L"请求服务失败，如有疑问，请联系客服。");
  EXPECT_TRUE(stayedWaiting);
  EXPECT_TRUE(engine_.Browsers().empty());
}

TEST_F(SignInTest, RepliesThatComeAfterTheWindowClosedChangeNothing) {
  PlayPages(1);
  director_.onSignInWindow = [](HWND window) { Director::Click(window, L"close"); };
  ClickStateLabel();
  // The page request was on its way when the window went; its reply finds the window gone.
  ASSERT_TRUE(PumpUntil([&] { return Requests("/api/dll/user/wechat/login?").size() == 1; }, 5000));
  PumpFor(2500);
  EXPECT_TRUE(engine_.Browsers().empty());
  EXPECT_FALSE(state_.User().signedIn);
  EXPECT_TRUE(director_.prompts.empty());
}

// The moments sign-in windows are made and destroyed, seen from inside the window manager.
struct WindowTimes {
  static WindowTimes* current;
  std::vector<DWORD> created, destroyed;
  static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND || code == HCBT_DESTROYWND) {
      wchar_t name[64] = L"";
      ::GetClassNameW(reinterpret_cast<HWND>(wParam), name, 64);
      if (wcscmp(name, L"Main_CefLogon") == 0)
        (code == HCBT_CREATEWND ? current->created : current->destroyed).push_back(::GetTickCount());
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
  }
};
WindowTimes* WindowTimes::current = nullptr;

TEST_F(SignInTest, RefreshingTwiceOpensAThirdWindowHalfASecondAfterEachClose) {
  WindowTimes times;
  WindowTimes::current = &times;
  HHOOK hook = ::SetWindowsHookExW(WH_CBT, &WindowTimes::Hook, nullptr, ::GetCurrentThreadId());
  ASSERT_NE(hook, nullptr);
  director_.onSignInWindow = [&](HWND window) {
    if (times.created.size() < 3) Director::Click(window, L"refresh");
    else Director::Click(window, L"close");
  };
  ClickStateLabel();
  ::UnhookWindowsHookEx(hook);

  ASSERT_EQ(times.created.size(), 3u);
  ASSERT_EQ(times.destroyed.size(), 3u);
  for (size_t i = 0; i + 1 < times.created.size(); ++i) {
    const DWORD gap = times.created[i + 1] - times.destroyed[i];
    EXPECT_GE(gap, 490u) << "window " << i + 2;  // the tick counter moves in steps of ~16 ms
    EXPECT_LE(gap, 1500u) << "window " << i + 2;
  }
  EXPECT_FALSE(state_.User().signedIn);
}

TEST_F(SignInTest, TheSystemsBrowserControlUnderWineLeavesTheWindowWaiting) {
  std::unique_ptr<browser::Engine> system = browser::StartMshtmlEngine();
  ASSERT_NE(system, nullptr);
  CurrentEngineScope scope(system.get());
  DWORD browserSeen = 0;
  bool waiting = true;
  bool engineWindowMade = false;
  director_.onSignInWindow = [&](HWND window) {
    engineWindowMade = engineWindowMade || ::FindWindowExW(window, nullptr, L"TessavaneBrowserHost", nullptr);
    if (browserSeen == 0) {
      if (BrowserControls(window) > 0) browserSeen = ::GetTickCount();
      return;
    }
    waiting = waiting && Shows(window, L"load") && !Shows(window, L"ready");
    if (::GetTickCount() - browserSeen > 3000) Director::Click(window, L"close");
  };
  ClickStateLabel();
  EXPECT_NE(browserSeen, 0u) << "no browser control was added";
  EXPECT_TRUE(engineWindowMade) << "the system's control was not made in the window";
  EXPECT_TRUE(waiting);
  EXPECT_FALSE(state_.User().signedIn);
}

}  // namespace
