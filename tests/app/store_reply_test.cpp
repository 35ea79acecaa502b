#include "app/store_reply.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace net;
using app::StoreReply;

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

// Entries 1 and 4 are 64-bit packages; 2 says nothing, 3 is a 32-bit one, 5 an unknown bit.
TEST(StoreReply, On32BitWindowsTheRuntimeListLeavesOutThe64BitPackages) {
  auto entry = [](int id, const std::string& bits) {
    return "{\"status\":1,\"id\":" + std::to_string(id) +
           ",\"downloadUrl\":\"http://h/u.exe\",\"fileName\":\"f\",\"regeditName\":\"HKEY_LOCAL_MACHINE\\\\K\"" +
           bits + "}";
  };
  const std::string reply = "{\"code\":\"200\",\"data\":[" + entry(1, ",\"systemBit\":1") + "," + entry(2, "") +
                            "," + entry(3, ",\"systemBit\":0") + "," + entry(4, ",\"systemBit\":1.0") + "," +
                            entry(5, ",\"systemBit\":2") + "," + entry(6, ",\"systemBit\":\"1\"") + "]}";
  auto ids = [](const app::AppState::ListPtr& list) {
    std::vector<int> out;
    for (const CatalogueFile& f : *list) out.push_back(f.id);
    return out;
  };
  app::AppState on64;
  ASSERT_EQ(StoreReply(on64, kRuntimeFiles, reply, Same), ReplyStatus::kAccepted);
  // Entry 6's bit is not a number: left out everywhere, the rest of the reply still counts.
  EXPECT_EQ(ids(on64.RuntimeFiles()), (std::vector<int>{1, 2, 3, 4, 5}));
  app::AppState on32;
  on32.system64Bit = false;
  ASSERT_EQ(StoreReply(on32, kRuntimeFiles, reply, Same), ReplyStatus::kAccepted);
  EXPECT_EQ(ids(on32.RuntimeFiles()), (std::vector<int>{2, 3, 5}));
  // Only the runtime list: a DirectX list keeps its 64-bit files, which its own page judges.
  const std::string dx =
      "{\"code\":\"200\",\"data\":[{\"status\":1,\"id\":7,\"systemBit\":1,\"downloadUrl\":\"http://h/x.dll\","
      "\"fileName\":\"x.dll\",\"fileMd5\":\"m\",\"filePath\":\"C:\\\\Windows\\\\System32\\\\x.dll\"}]}";
  ASSERT_EQ(StoreReply(on32, kDirectXFiles, dx, Same), ReplyStatus::kAccepted);
  EXPECT_EQ(on32.DxFiles()->size(), 1u);
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
