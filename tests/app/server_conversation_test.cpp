#include "app/server_conversation.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using net::HttpRequest;

// Plays the header around the conversation and the request worker: it records every request
// instead of sending it, and the test answers them by hand.
class ScriptedHeader : public app::ConversationHost {
 public:
  void ArmTimer(int id, unsigned ms) override { timers.push_back({id, ms}); }
  void ShowRequestFailed() override { ++prompts; }
  void CacheImages(const net::CommonCatalogue& common) override { cachedLists.push_back(common.cplusFiles.size()); }
  std::string StoredToken() override { return storedToken; }
  void ForgetStoredToken() override { storedToken.clear(); ++forgotten; }
  void ShowCatalogueRefused(net::DocumentVerdict why) override { refusals.push_back(why); }
  uint64_t NewestAcceptedCatalogueVersion() override { return newestVersion; }
  void RecordAcceptedCatalogueVersion(uint64_t version) override { newestVersion = version; }

  std::vector<std::unique_ptr<HttpRequest>> sent;
  std::vector<std::pair<int, unsigned>> timers;
  std::vector<size_t> cachedLists;
  std::string storedToken;
  std::vector<net::DocumentVerdict> refusals;
  uint64_t newestVersion = 0;
  int prompts = 0, forgotten = 0;
};

class Conversation : public ::testing::Test {
 protected:
  Conversation()
      : conversation(state, header, "http://cat", [](const std::string& t) { return t; },
                     [this](std::unique_ptr<HttpRequest> r) { header.sent.push_back(std::move(r)); }, {}) {
    state.channel = "abc";
  }

  std::vector<int> SentKinds() const {
    std::vector<int> kinds;
    for (const auto& r : header.sent) kinds.push_back(r->kind);
    return kinds;
  }
  void Answer(const std::string& body, bool ok = true) {
    conversation.OnHttpResponse(header.sent.back()->kind, ok, ok ? &body : nullptr);
  }

  app::AppState state;
  ScriptedHeader header;
  app::ServerConversation conversation;
};

const char kCommon[] =
    "{\"code\":\"200\",\"data\":{\"kfUrl\":\"http://cat/k\",\"xyUrl\":\"http://cat/x\",\"secretUrl\":\"http://cat/s\",\"filesList\":["
    "{\"status\":1,\"id\":1,\"downloadUrl\":\"http://cat/u.exe\",\"imgUrl\":\"http://cat/i.png\",\"fileName\":\"n\",\"fileMd5\":\"m\","
    "\"memo\":\"m\",\"type\":0}]}}";
const char kEmptyList[] = "{\"code\":\"200\",\"data\":[]}";
const char kRefused[] = "{\"code\":\"500\",\"msg\":\"no\"}";
const char kUser[] = "{\"code\":\"200\",\"data\":{\"userId\":7,\"userToken\":\"T\"}}";

TEST_F(Conversation, WithoutATokenTheChainRunsInOrderThenArmsTheRefresh) {
  conversation.RequestUserInfo();
  ASSERT_EQ(SentKinds(), (std::vector<int>{0}));
  EXPECT_EQ(header.sent[0]->url, "http://cat/api/dll/files/common?channelNum=abc");
  EXPECT_TRUE(header.sent[0]->headers.empty());
  EXPECT_EQ(header.sent[0]->listener, &conversation);
  Answer(kCommon);
  Answer(kEmptyList);
  Answer(kEmptyList);
  ASSERT_EQ(SentKinds(), (std::vector<int>{0, 3, 4, 5}));
  EXPECT_EQ(header.sent[1]->url, "http://cat/api/dll/files/runtime");
  EXPECT_EQ(header.sent[2]->url, "http://cat/api/dll/files/dx");
  EXPECT_EQ(header.sent[3]->url, "http://cat/api/dll/files/system");
  EXPECT_TRUE(header.timers.empty());
  Answer(kEmptyList);
  EXPECT_EQ(header.cachedLists, (std::vector<size_t>{1}));
  EXPECT_EQ(header.timers, (std::vector<std::pair<int, unsigned>>{{1002, 30000}}));
  EXPECT_EQ(state.Common()->kfUrl, "http://cat/k");
  // The refresh starts no request while nobody is signed in.
  EXPECT_FALSE(conversation.OnTimer(1002));
  EXPECT_EQ(header.sent.size(), 4u);
}

TEST_F(Conversation, AnAcceptedTokenSignsInAndThenLoadsTheCatalogue) {
  header.storedToken = "stored";
  conversation.RequestUserInfo();
  ASSERT_EQ(SentKinds(), (std::vector<int>{8}));
  EXPECT_EQ(header.sent[0]->url, "http://cat/api/dll/user/getUserInfoByToken");
  EXPECT_EQ(header.sent[0]->headers, (std::vector<std::string>{"token:stored"}));
  Answer(kUser);
  EXPECT_TRUE(state.User().signedIn);
  EXPECT_EQ(state.User().userId, 7);
  EXPECT_EQ(header.timers, (std::vector<std::pair<int, unsigned>>{{1001, 10}}));
  EXPECT_TRUE(conversation.OnTimer(1001));  // the display is refreshed, then the catalogue
  EXPECT_EQ(SentKinds(), (std::vector<int>{8, 0}));
  // The token in the context now wins over the stored one.
  header.storedToken = "old";
  conversation.OnTimer(1002);
  EXPECT_EQ(header.sent.back()->headers, (std::vector<std::string>{"token:T"}));
}

TEST_F(Conversation, ARefusedTokenIsForgottenAndTheCatalogueStillLoads) {
  header.storedToken = "stale";
  conversation.RequestUserInfo();
  Answer(kRefused);
  EXPECT_EQ(header.forgotten, 1);
  EXPECT_EQ(header.prompts, 0);
  EXPECT_EQ(SentKinds(), (std::vector<int>{8, 0}));
  EXPECT_FALSE(state.User().signedIn);
}

TEST_F(Conversation, AnUnreachableServerStopsEverythingSilently) {
  header.storedToken = "t";
  conversation.RequestUserInfo();
  Answer("", false);
  EXPECT_EQ(SentKinds(), (std::vector<int>{8}));
  EXPECT_EQ(header.prompts, 0);
  EXPECT_TRUE(header.timers.empty());
  EXPECT_EQ(header.storedToken, "t");
}

TEST_F(Conversation, AUserReplyWithoutAUsableUserEndsTheConversation) {
  header.storedToken = "t";
  conversation.RequestUserInfo();
  Answer("{\"code\":\"200\",\"data\":{\"userId\":-1,\"userToken\":\"t\"}}");
  EXPECT_EQ(SentKinds(), (std::vector<int>{8}));
  EXPECT_TRUE(header.timers.empty());
  EXPECT_EQ(header.forgotten, 0);
}

TEST_F(Conversation, AMalformedUserReplyKeepsTheTokenAndLoadsTheCatalogue) {
  header.storedToken = "t";
  conversation.RequestUserInfo();
  Answer("<html>502 Bad Gateway</html>");
  EXPECT_EQ(SentKinds(), (std::vector<int>{8, 0}));
  EXPECT_EQ(header.storedToken, "t");
}

TEST_F(Conversation, ARefusedCatalogueStepPromptsOnceAndStops) {
  conversation.RequestCommonFiles();
  Answer(kCommon);
  Answer(kRefused);  // the runtime list
  EXPECT_EQ(header.prompts, 1);
  EXPECT_EQ(SentKinds(), (std::vector<int>{0, 3}));
  EXPECT_TRUE(state.RuntimeFiles()->empty());
  EXPECT_EQ(state.Common()->kfUrl, "http://cat/k");  // what was accepted before stays
  EXPECT_TRUE(header.timers.empty());
}

TEST_F(Conversation, AfterTheRefreshBeganASignInNoLongerReloadsTheCatalogue) {
  conversation.RefreshUserInfo();  // nobody signed in: no request, but the refresh has begun
  EXPECT_TRUE(header.sent.empty());
  header.storedToken = "new";
  conversation.RefreshUserInfo();
  ASSERT_EQ(SentKinds(), (std::vector<int>{8}));
  Answer(kUser);
  EXPECT_TRUE(conversation.OnTimer(1001));
  EXPECT_EQ(SentKinds(), (std::vector<int>{8}));
}

}  // namespace
