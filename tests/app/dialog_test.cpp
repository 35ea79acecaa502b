// The prompt, menu, about and update windows under Wine: answers, the calling order, links,
// closing, and the menu's sign-out and its hiding when the focus goes.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/dialogs/about_window.h"
#include "page_machinery/dialog_window.h"
#include "app/dialogs/menu_window.h"
#include "app/dialogs/renew_window.h"
#include "page_machinery/tip_window.h"
#include "page_machinery/product.h"
#include "shell_test_support.h"

namespace {

void ClickOn(DuiLib::WindowImplBase& window, DuiLib::CControlUI* control) {
  ASSERT_NE(control, nullptr);
  DuiLib::TNotifyUI msg;
  msg.sType = L"click";
  msg.pSender = control;
  window.Notify(msg);
}

void Click(DuiLib::WindowImplBase& window, const wchar_t* name) {
  ClickOn(window, window.m_PaintManager.FindControl(name));
}

bool Gone(HWND window) {
  return PumpUntil([&] { return !::IsWindow(window); }, 2000);
}

std::wstring TextOf(DuiLib::WindowImplBase& window, const wchar_t* name) {
  DuiLib::CControlUI* control = window.m_PaintManager.FindControl(name);
  return control ? control->GetText() : L"<missing>";
}

bool Shown(DuiLib::WindowImplBase& window, const wchar_t* name) {
  DuiLib::CControlUI* control = window.m_PaintManager.FindControl(name);
  return control && control->IsVisible();
}

TEST(TipWindow, CreatedAsEveryDialogIs) {
  app::TipWindow tip;
  HWND hwnd = app::CreateDialogWindow(tip);
  ASSERT_NE(hwnd, nullptr);
  wchar_t className[64] = L"", caption[64] = L"";
  ::GetClassNameW(hwnd, className, 64);
  ::GetWindowTextW(hwnd, caption, 64);
  EXPECT_STREQ(className, L"Main_Tip");
  EXPECT_STREQ(caption, app::kProductName);
  RECT client;
  ::GetClientRect(hwnd, &client);
  EXPECT_EQ(client.right, 430);
  EXPECT_EQ(client.bottom, 230);
  EXPECT_EQ(::GetWindowLongW(hwnd, GWL_EXSTYLE) & 0x100, 0x100);
  // Both button layouts start hidden; the mode picks one.
  EXPECT_FALSE(Shown(tip, L"tip_layout_ok"));
  EXPECT_FALSE(Shown(tip, L"tip_layout_okcancel"));
  tip.SetMode(app::TipWindow::kModeOkCancel);
  EXPECT_FALSE(Shown(tip, L"tip_layout_ok"));
  EXPECT_TRUE(Shown(tip, L"tip_layout_okcancel"));
  tip.SetMode(7);
  EXPECT_EQ(tip.Mode(), 7);
  EXPECT_FALSE(Shown(tip, L"tip_layout_ok"));
  EXPECT_FALSE(Shown(tip, L"tip_layout_okcancel"));
  // In a mode without a layout the texts go nowhere.
  tip.SetTitle(std::wstring(L"x"));
  EXPECT_EQ(TextOf(tip, L"tip_ok_title"), L"");
  EXPECT_EQ(TextOf(tip, L"tip_okcancel_title"), L"");
  ::DestroyWindow(hwnd);
}

TEST(TipWindow, TextsGoToTheLayoutOfTheModeSetBeforeThem) {
  app::TipWindow tip;
  HWND hwnd = app::CreateDialogWindow(tip);
  ASSERT_NE(hwnd, nullptr);
  tip.SetTitle(std::string("Title"));  // before SetMode: the OK layout, mode 0
  tip.SetMode(app::TipWindow::kModeOkCancel);
  tip.SetMessage(std::string("Message"));
  EXPECT_EQ(TextOf(tip, L"tip_ok_title"), L"Title");
  EXPECT_EQ(TextOf(tip, L"tip_okcancel_title"), L"");
  EXPECT_EQ(TextOf(tip, L"tip_okcancel_message"), L"Message");
  EXPECT_EQ(TextOf(tip, L"tip_ok_message"), L"");
  EXPECT_FALSE(Shown(tip, L"tip_layout_ok"));
  ::DestroyWindow(hwnd);
}

struct AnswerCase {
  int mode;
  const wchar_t* button;
  int answer;
};

class TipAnswer : public ::testing::TestWithParam<AnswerCase> {};

TEST_P(TipAnswer, ButtonWritesTheAnswerAndClosesThePrompt) {
  int answer = -5;
  app::TipWindow tip(&answer);
  HWND hwnd = app::CreateDialogWindow(tip);
  ASSERT_NE(hwnd, nullptr);
  tip.SetMode(GetParam().mode);
  Click(tip, GetParam().button);
  EXPECT_EQ(answer, GetParam().answer);
  EXPECT_TRUE(Gone(hwnd));
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, TipAnswer,
    ::testing::Values(AnswerCase{0, L"tip_ok_ok", 0}, AnswerCase{1, L"tip_okcancel_ok", 0},
                      AnswerCase{1, L"tip_okcancel_cancel", 1},
                      // The title-bar close refuses, even in OK mode.
                      AnswerCase{0, L"tip_close", 1}, AnswerCase{1, L"tip_close", 1}));

TEST(TipWindow, WithoutAnAnswerCellAButtonOnlyCloses) {
  app::TipWindow tip;
  HWND hwnd = app::CreateDialogWindow(tip);
  ASSERT_NE(hwnd, nullptr);
  tip.SetMode(0);
  Click(tip, L"tip_ok_ok");
  EXPECT_TRUE(Gone(hwnd));
}

// Plays the user of a modal prompt from a timer of the waiting thread: finds the prompt and
// clicks at a point of it, or presses a key in it.
struct PromptPlayer {
  static PromptPlayer* current;
  POINT click{-1, -1};
  WPARAM key = 0;
  bool found = false;
  BOOL ownerEnabledMeanwhile = TRUE;
  HWND owner = nullptr;

  static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD) {
    HWND prompt = ::FindWindowW(L"Main_Tip", nullptr);
    if (prompt == nullptr || !::IsWindowVisible(prompt)) return;
    ::KillTimer(nullptr, id);
    PromptPlayer& p = *current;
    p.found = true;
    if (p.owner) p.ownerEnabledMeanwhile = ::IsWindowEnabled(p.owner);
    if (p.key) {
      ::PostMessageW(prompt, WM_KEYDOWN, p.key, 0);
      return;
    }
    const LPARAM at = MAKELPARAM(p.click.x, p.click.y);
    ::PostMessageW(prompt, WM_MOUSEMOVE, 0, at);
    ::PostMessageW(prompt, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::PostMessageW(prompt, WM_LBUTTONUP, 0, at);
  }
};
PromptPlayer* PromptPlayer::current = nullptr;

int PlayPrompt(PromptPlayer& player, int mode) {
  PromptPlayer::current = &player;
  ::SetTimer(nullptr, 0, 50, &PromptPlayer::Tick);
  return app::ShowPrompt(mode, L"标题", L"消息");
}

TEST(TipWindow, ShowPromptWaitsForTheUserAndReturnsTheAnswer) {
  app::RenewWindow owner;  // any window of ours, active, as the prompt's owner
  HWND ownerWindow = app::CreateDialogWindow(owner);
  ASSERT_NE(ownerWindow, nullptr);
  owner.ShowWindow(true, true);
  PumpFor(50);

  PromptPlayer ok;
  ok.owner = ownerWindow;
  ok.click = POINT{156 + 59, 30 + 130 + 20};  // the centre of "tip_ok_ok"
  EXPECT_EQ(PlayPrompt(ok, app::TipWindow::kModeOk), 0);
  EXPECT_TRUE(ok.found);
  EXPECT_FALSE(ok.ownerEnabledMeanwhile);
  EXPECT_TRUE(::IsWindowEnabled(ownerWindow));

  PromptPlayer cancel;
  cancel.click = POINT{232 + 59, 30 + 130 + 20};  // "tip_okcancel_cancel"
  EXPECT_EQ(PlayPrompt(cancel, app::TipWindow::kModeOkCancel), 1);

  // Escape closes the prompt without an answer of its own: that counts as refused.
  PromptPlayer escape;
  escape.key = VK_ESCAPE;
  EXPECT_EQ(PlayPrompt(escape, app::TipWindow::kModeOk), 1);
  EXPECT_TRUE(escape.found);
  ::DestroyWindow(ownerWindow);
}

class LinkRecorder {
 public:
  app::LinkOpener Opener() {
    return [this](const std::string& url) { opened.push_back(url); };
  }
  std::vector<std::string> opened;
};

TEST(AboutWindow, LinksOpenTheAgreementsAndTheWindowStays) {
  app::AppState state;
  net::CommonCatalogue common;
  common.xyUrl = "http://127.0.0.1/agreement";
  common.secretUrl = "http://127.0.0.1/privacy";
  state.ReplaceCommon(common);
  LinkRecorder links;
  app::AboutWindow about(state, links.Opener());
  HWND hwnd = app::CreateDialogWindow(about);
  ASSERT_NE(hwnd, nullptr);
  wchar_t className[64] = L"";
  ::GetClassNameW(hwnd, className, 64);
  EXPECT_STREQ(className, L"Main_AboutWindow");
  Click(about, L"xy");
  Click(about, L"ys");
  EXPECT_EQ(links.opened, (std::vector<std::string>{common.xyUrl, common.secretUrl}));
  PumpFor(50);
  EXPECT_TRUE(::IsWindow(hwnd));
  Click(about, L"close");
  EXPECT_TRUE(Gone(hwnd));
}

TEST(RenewWindow, CloseButtonClosesIt) {
  app::RenewWindow renew;
  HWND hwnd = app::CreateDialogWindow(renew);
  ASSERT_NE(hwnd, nullptr);
  RECT client;
  ::GetClientRect(hwnd, &client);
  EXPECT_EQ(client.right, 480);
  EXPECT_EQ(client.bottom, 260);
  Click(renew, L"close");
  EXPECT_TRUE(Gone(hwnd));
}

class CountingSignOut : public app::MenuNotify {
 public:
  void SignOut() override { ++count; }
  int count = 0;
};

TEST(MenuWindow, SignOutHidesTheMenuAndTellsTheHeader) {
  app::AppState state;
  CountingSignOut notify;
  app::MenuWindow menu(notify, state);
  HWND hwnd = app::CreateDialogWindow(menu);
  ASSERT_NE(hwnd, nullptr);
  menu.ShowWindow(true);
  Click(menu, L"menu_logout");
  EXPECT_EQ(notify.count, 1);
  EXPECT_FALSE(::IsWindowVisible(hwnd));
  // Hidden, not destroyed: the header shows it again.
  EXPECT_TRUE(::IsWindow(hwnd));
  ::DestroyWindow(hwnd);
}

// Closes the first visible window of a class as soon as it is up, from a timer that the
// window's own modal loop dispatches; remembers that it saw one.
struct WindowCloser {
  static const wchar_t* className;
  static bool seen;
  static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD) {
    HWND window = ::FindWindowW(className, nullptr);
    if (window == nullptr || !::IsWindowVisible(window)) return;
    ::KillTimer(nullptr, id);
    seen = true;
    ::PostMessageW(window, WM_CLOSE, 0, 0);
  }
};
const wchar_t* WindowCloser::className = L"";
bool WindowCloser::seen = false;

struct MenuItemCase {
  const wchar_t* item;
  const wchar_t* windowClass;
};

class MenuItem : public ::testing::TestWithParam<MenuItemCase> {};

TEST_P(MenuItem, HidesTheMenuAndShowsItsWindowModally) {
  app::AppState state;
  CountingSignOut notify;
  app::MenuWindow menu(notify, state);
  HWND hwnd = app::CreateDialogWindow(menu);
  ASSERT_NE(hwnd, nullptr);
  menu.ShowWindow(true);
  WindowCloser::className = GetParam().windowClass;
  WindowCloser::seen = false;
  ::SetTimer(nullptr, 0, 50, &WindowCloser::Tick);
  Click(menu, GetParam().item);  // returns once the modal window is gone
  EXPECT_TRUE(WindowCloser::seen);
  EXPECT_EQ(::FindWindowW(GetParam().windowClass, nullptr), nullptr);
  EXPECT_FALSE(::IsWindowVisible(hwnd));
  EXPECT_EQ(notify.count, 0);
  ::DestroyWindow(hwnd);
}

INSTANTIATE_TEST_SUITE_P(Items, MenuItem,
                         ::testing::Values(MenuItemCase{L"menu_update", L"Main_RenewW"},
                                           MenuItemCase{L"menu_about", L"Main_AboutWindow"}));

TEST(MenuWindow, LosingTheFocusHidesIt) {
  app::AppState state;
  CountingSignOut notify;
  app::MenuWindow menu(notify, state);
  HWND hwnd = app::CreateDialogWindow(menu);
  ASSERT_NE(hwnd, nullptr);
  app::RenewWindow other;
  HWND otherWindow = app::CreateDialogWindow(other);
  ASSERT_NE(otherWindow, nullptr);
  menu.ShowWindow(true);
  ::SetFocus(hwnd);
  PumpFor(20);
  ASSERT_TRUE(::IsWindowVisible(hwnd));
  ::SetFocus(otherWindow);
  EXPECT_TRUE(PumpUntil([&] { return !::IsWindowVisible(hwnd); }, 2000));
  EXPECT_EQ(notify.count, 0);
  ::DestroyWindow(otherWindow);
  ::DestroyWindow(hwnd);
}

}  // namespace
