// The header's conversation with the real catalogue server, seen through the recording proxy
// (with-catalogue-server): the order of the requests, what a refused or failed step leaves,
// the image cache and the 30-second refresh.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "app/main_frame_window.h"
#include "page_machinery/product.h"
#include "app/settings.h"
#include "app/system_window.h"
#include "platform/files_and_folders.h"
#include "net/user_paths.h"
#include "shell_test_support.h"

namespace {

using Lines = std::vector<std::string>;

class ConversationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (std::getenv("TESSA_PROXY_URL") == nullptr) GTEST_SKIP() << "run by with-catalogue-server";
    url_ = std::getenv("TESSA_PROXY_URL");
    log_ = UnixPathFromEnvironment("TESSA_PROXY_LOG");
    rules_ = UnixPathFromEnvironment("TESSA_PROXY_RULES");
    std::ofstream(log_, std::ios::trunc);
    std::ofstream(rules_, std::ios::trunc);
    app::ForgetToken();
    state_.channel = "guanwang";
  }
  void TearDown() override {
    if (frame_ && ::IsWindow(frame_->GetHWND())) ::DestroyWindow(frame_->GetHWND());
    PumpFor(0);
    app::ForgetToken();
  }

  void Rule(const std::string& line) { std::ofstream(rules_, std::ios::app) << line << "\n"; }
  void Start(const std::string& url) {
    frame_ = std::make_unique<app::MainFrameWindow>(state_, url);
    ASSERT_NE(frame_->Create(nullptr, app::kProductName, 0x10CE0000, 0x100, 0, 0, 0, 0), nullptr);
  }
  void Start() { Start(url_); }
  // The request paths the proxy saw, with their token.
  Lines Requests() {
    Lines lines;
    std::ifstream in(log_);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }
  bool WaitForRequests(size_t count, DWORD ms = 15000) {
    return PumpUntil([&] { return Requests().size() >= count; }, ms);
  }
  // The last step of the chain fetches the images before it arms the refresh.
  bool WaitForImages() {
    return PumpUntil([&] { return state_.SystemFiles()->size() > 0 && MissingImages() == 0; }, 30000);
  }
  int MissingImages() {
    const std::string folder = net::ImageFolder(platform::LocalAppData());
    int missing = 0;
    auto common = state_.Common();
    for (const net::CatalogueList* list : {&common->cplusFiles, &common->netFiles, &common->gameFiles})
      for (const net::CatalogueFile& entry : *list)
        if (!entry.imgUrl.empty() && !platform::FileExists(folder + net::ImageFileName(entry))) ++missing;
    return missing;
  }
  void Timer(int id) {
    DuiLib::TNotifyUI msg;
    msg.sType = L"timer";
    msg.pSender = frame_->m_PaintManager.FindControl(L"system_state");
    msg.wParam = static_cast<WPARAM>(id);
    frame_->Header()->Notify(msg);
  }
  static void DeleteCachedImages() {
    const std::string folder = net::ImageFolder(platform::LocalAppData());
    WIN32_FIND_DATAA found;
    HANDLE search = ::FindFirstFileA((folder + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
      if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        ::DeleteFileA((folder + found.cFileName).c_str());
    } while (::FindNextFileA(search, &found));
    ::FindClose(search);
  }

  static const Lines kChain;
  // Request threads may still deliver into the state after the test has ended, so each
  // test's state lives until the process ends.
  app::AppState& state_ = *new app::AppState;
  std::unique_ptr<app::MainFrameWindow> frame_;
  std::string url_, log_, rules_;
};

// The signed document first: it decides which entries of the lists count.
const Lines ConversationTest::kChain = {
    "/api/dll/files/signed token=", "/api/dll/files/common?channelNum=guanwang token=", "/api/dll/files/runtime token=",
    "/api/dll/files/dx token=", "/api/dll/files/system token="};

Lines With(const std::string& first, const Lines& rest) {
  Lines lines{first};
  lines.insert(lines.end(), rest.begin(), rest.end());
  return lines;
}

TEST_F(ConversationTest, WithoutATokenTheCatalogueLoadsInOrderAndTheRefreshAsksNothing) {
  DeleteCachedImages();
  Start();
  ASSERT_TRUE(WaitForImages()) << MissingImages() << " images missing";
  EXPECT_EQ(Requests(), kChain);
  EXPECT_GT(state_.RuntimeFiles()->size(), 0u);
  EXPECT_GT(state_.DxFiles()->size(), 0u);
  EXPECT_GT(state_.Common()->cplusFiles.size(), 0u);
  // The 30-second refresh: with nobody signed in there is no token to ask about.
  Timer(app::kRefreshTimer);
  PumpFor(700);
  EXPECT_EQ(Requests(), kChain);
  EXPECT_FALSE(state_.User().signedIn);
}

TEST_F(ConversationTest, ARejectedTokenIsForgottenAndTheCatalogueStillLoads) {
  app::StoreToken("no-such-token");
  Start();
  ASSERT_TRUE(WaitForRequests(6));
  ASSERT_TRUE(WaitForImages());
  EXPECT_EQ(Requests(), With("/api/dll/user/getUserInfoByToken token=no-such-token", kChain));
  EXPECT_EQ(app::ReadStoredToken(), "");
  EXPECT_FALSE(state_.User().signedIn);
  EXPECT_EQ(frame_->m_PaintManager.FindControl(L"system_state")->GetText(), L"您尚未登录");
}

TEST_F(ConversationTest, AFailedTransferStopsEverythingSilently) {
  app::StoreToken("some-token");
  Rule("/api/dll/user/getUserInfoByToken drop");
  Start();
  ASSERT_TRUE(WaitForRequests(1));
  PumpFor(2500);
  EXPECT_EQ(Requests(), (Lines{"/api/dll/user/getUserInfoByToken token=some-token"}));
  EXPECT_EQ(state_.RuntimeFiles()->size(), 0u);
  EXPECT_EQ(state_.Common()->cplusFiles.size(), 0u);
  EXPECT_EQ(::FindWindowW(L"Main_Tip", nullptr), nullptr);
  // Nobody refused the token: it stays for the next start.
  EXPECT_EQ(app::ReadStoredToken(), "some-token");
}

TEST_F(ConversationTest, AnUnreachableServerLoadsNothingAndShowsNothing) {
  app::StoreToken("some-token");
  Start("http://127.0.0.1:1");
  PumpFor(2500);
  EXPECT_EQ(state_.RuntimeFiles()->size(), 0u);
  EXPECT_EQ(::FindWindowW(L"Main_Tip", nullptr), nullptr);
  EXPECT_EQ(app::ReadStoredToken(), "some-token");
}

TEST_F(ConversationTest, AUserReplyWithoutAUserEndsTheConversation) {
  app::StoreToken("some-token");
  Rule(R"(/api/dll/user/getUserInfoByToken reply {"code":"200","msg":"","data":{"userId":-1,"userToken":"x"}})");
  Start();
  ASSERT_TRUE(WaitForRequests(1));
  PumpFor(2000);
  EXPECT_EQ(Requests(), (Lines{"/api/dll/user/getUserInfoByToken token=some-token"}));
  EXPECT_EQ(state_.Common()->cplusFiles.size(), 0u);
  EXPECT_FALSE(state_.User().signedIn);
}

TEST_F(ConversationTest, AnAcceptedUserIsShownThenTheCatalogueLoadsAndTheRefreshAsksAgain) {
  app::StoreToken("tok-5");
  Rule(R"(/api/dll/user/getUserInfoByToken reply {"code":"200","msg":"","data":{"userId":5,"userToken":"tok-5"}})");
  Start();
  ASSERT_TRUE(WaitForImages());
  const Lines started = With("/api/dll/user/getUserInfoByToken token=tok-5", kChain);
  EXPECT_EQ(Requests(), started);
  EXPECT_TRUE(state_.User().signedIn);
  EXPECT_EQ(state_.User().userId, 5);
  EXPECT_NE(frame_->m_PaintManager.FindControl(L"system_state")->GetText(), L"您尚未登录");
  EXPECT_TRUE(frame_->m_PaintManager.FindControl(L"system_frame")->IsVisible());

  // The refresh asks about the user again; its accepted reply no longer reloads the catalogue.
  Timer(app::kRefreshTimer);
  ASSERT_TRUE(WaitForRequests(started.size() + 1));
  PumpFor(1000);
  Lines expected = started;
  expected.push_back("/api/dll/user/getUserInfoByToken token=tok-5");
  EXPECT_EQ(Requests(), expected);
}

TEST_F(ConversationTest, TheRefreshAsksAboutTheUserEveryThirtySeconds) {
  app::StoreToken("tok-6");
  Rule(R"(/api/dll/user/getUserInfoByToken reply {"code":"200","msg":"","data":{"userId":6,"userToken":"tok-6"}})");
  Start();
  ASSERT_TRUE(WaitForImages());
  const DWORD chainEnd = ::GetTickCount();
  const size_t before = Requests().size();
  ASSERT_EQ(before, 6u);
  ASSERT_TRUE(WaitForRequests(before + 1, 40000));
  const DWORD waited = ::GetTickCount() - chainEnd;
  EXPECT_GE(waited, 29000u);
  EXPECT_LE(waited, 33000u);
  EXPECT_EQ(Requests().back(), "/api/dll/user/getUserInfoByToken token=tok-6");
}

TEST_F(ConversationTest, ACatalogueStepThatIsRefusedShowsThePromptOnceAndStopsTheChain) {
  Rule(R"(/api/dll/files/runtime reply {"code":"500","msg":"busy","data":[]})");
  PromptUser::Arm();
  Start();
  ASSERT_TRUE(PumpUntil([] { return PromptUser::seen; }, 15000));
  ASSERT_TRUE(PumpUntil([] { return ::FindWindowW(L"Main_Tip", nullptr) == nullptr; }, 5000));
  PumpFor(1000);
  EXPECT_EQ(Requests(), (Lines{kChain[0], kChain[1], kChain[2]}));
  EXPECT_GT(state_.Common()->cplusFiles.size(), 0u);
  EXPECT_EQ(state_.RuntimeFiles()->size(), 0u);
  EXPECT_EQ(state_.DxFiles()->size(), 0u);
  EXPECT_EQ(::FindWindowW(L"Main_Tip", nullptr), nullptr);
}

}  // namespace
