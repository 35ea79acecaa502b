#include "net/catalogue_store.h"

#include <gtest/gtest.h>

namespace {

using namespace net;

std::string Same(const std::string& text) { return text; }

const char kRuntimeReply[] =
    "{\"code\":\"200\",\"msg\":\"\",\"data\":[{\"status\":1,\"id\":1,\"downloadUrl\":\"http://h/u.exe\","
    "\"fileName\":\"f\",\"regeditName\":\"HKEY_LOCAL_MACHINE\\\\K\",\"gameRepair\":1}]}";

TEST(StoreReply, AcceptedListsReplaceTheOldOnesWhole) {
  app::AppState state;
  auto before = state.RuntimeFiles();
  ASSERT_EQ(StoreReply(state, kRuntimeFiles, kRuntimeReply, Same), ReplyStatus::kAccepted);
  auto after = state.RuntimeFiles();
  EXPECT_NE(before, after);
  ASSERT_EQ(after->size(), 1u);
  EXPECT_TRUE(before->empty());  // a holder of the old list still sees the old list
  EXPECT_TRUE(state.DxFiles()->empty());
}

TEST(StoreReply, RejectedAndMalformedRepliesChangeNothing) {
  app::AppState state;
  ASSERT_EQ(StoreReply(state, kRuntimeFiles, kRuntimeReply, Same), ReplyStatus::kAccepted);
  auto kept = state.RuntimeFiles();
  std::string refused = kRuntimeReply;
  refused.replace(refused.find("200"), 3, "500");
  EXPECT_EQ(StoreReply(state, kRuntimeFiles, refused, Same), ReplyStatus::kCodeNot200);
  // A good first entry followed by a broken one: nothing of the reply may land.
  std::string halfGood = std::string(kRuntimeReply);
  halfGood.insert(halfGood.size() - 2, ",{\"status\":1,\"id\":\"x\"}");
  EXPECT_EQ(StoreReply(state, kRuntimeFiles, halfGood, Same), ReplyStatus::kMalformed);
  EXPECT_EQ(StoreReply(state, kRuntimeFiles, "", Same), ReplyStatus::kMalformed);
  EXPECT_EQ(state.RuntimeFiles(), kept);
  EXPECT_EQ(StoreReply(state, kSignInCode, "{\"code\":\"200\"}", Same), ReplyStatus::kMalformed);
}

TEST(StoreReply, UserRepliesSetTheSignedInUser) {
  app::AppState state;
  EXPECT_EQ(StoreReply(state, kUserInfoByToken,
                       "{\"code\":\"200\",\"data\":{\"userId\":-1,\"userToken\":\"t\"}}", Same),
            ReplyStatus::kNotAccepted);
  EXPECT_FALSE(state.User().signedIn);
  ASSERT_EQ(StoreReply(state, kSignInResult,
                       "{\"code\":\"200\",\"data\":{\"userId\":5,\"userToken\":\"t\",\"headImgUrl\":\"h\"}}",
                       Same),
            ReplyStatus::kAccepted);
  EXPECT_TRUE(state.User().signedIn);
  EXPECT_EQ(state.User().headImgUrl, "h");
  // A user-info reply names no head image: the record is replaced whole, not merged.
  ASSERT_EQ(StoreReply(state, kUserInfoByToken, "{\"code\":\"200\",\"data\":{\"userId\":5,\"userToken\":\"u\"}}",
                       Same),
            ReplyStatus::kAccepted);
  EXPECT_EQ(state.User().headImgUrl, "");
  EXPECT_EQ(state.User().userToken, "u");
  state.ResetUser();
  EXPECT_EQ(state.User().userId, -1);
}

}  // namespace
