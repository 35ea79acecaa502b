// The sign-in window's OS-free decisions: the MAC text, what each reply leads to, and what a
// completed sign-in writes.
#include <gtest/gtest.h>

#include <set>

#include "app/signin/mac_choice.h"
#include "app/signin/sign_in_completion.h"
#include "app/signin/sign_in_replies.h"
#include "catalogue_rules/catalogue_records.h"

namespace {

using app::AdapterKind;
using app::ListedAdapter;
using app::SignInReplyAction;

app::AdapterFacts Facts(const char* pnp, std::optional<uint32_t> media, bool readError = false) {
  app::AdapterFacts facts;
  facts.pnpInstanceId = pnp;
  facts.mediaSubType = media;
  facts.mediaSubTypeReadError = readError;
  return facts;
}

TEST(MacChoice, OnlyPhysicalAdaptersCountAndTheirMediaDecidesWiredOrWireless) {
  EXPECT_EQ(app::ClassifyAdapter(Facts("PCI\\VEN_8086&DEV_15B8", std::nullopt)), AdapterKind::kWired);
  EXPECT_EQ(app::ClassifyAdapter(Facts("pci\\ven_10ec", 1u)), AdapterKind::kWired);
  EXPECT_EQ(app::ClassifyAdapter(Facts("PCI\\VEN_168C", 2u)), AdapterKind::kWireless);
  EXPECT_EQ(app::ClassifyAdapter(Facts("PCI\\VEN_168C", 3u)), AdapterKind::kNotCounted);
  EXPECT_EQ(app::ClassifyAdapter(Facts("PCI\\VEN_168C", std::nullopt, true)), AdapterKind::kNotCounted);
  EXPECT_EQ(app::ClassifyAdapter(Facts("ROOT\\NET\\0000", std::nullopt)), AdapterKind::kNotCounted);
  EXPECT_EQ(app::ClassifyAdapter(Facts("USB\\VID_0BDA", 1u)), AdapterKind::kNotCounted);
  EXPECT_EQ(app::ClassifyAdapter(Facts("", std::nullopt)), AdapterKind::kNotCounted);  // no key
}

TEST(MacChoice, AWiredAdapterWinsOverAWirelessOneListedBeforeIt) {
  const ListedAdapter virtualOne{{0x00, 0x50, 0x56, 0xC0, 0x00, 0x01}, AdapterKind::kNotCounted};
  const ListedAdapter wireless{{0xA4, 0x34, 0xD9, 0x01, 0x02, 0x03}, AdapterKind::kWireless};
  const ListedAdapter laterWireless{{0xA4, 0x34, 0xD9, 0x0A, 0x0B, 0x0C}, AdapterKind::kWireless};
  const ListedAdapter wired{{0x00, 0x1a, 0x2b, 0x3c, 0x4d, 0x5e}, AdapterKind::kWired};
  const ListedAdapter laterWired{{0x00, 0x11, 0x22, 0x33, 0x44, 0x55}, AdapterKind::kWired};
  auto text = [](const std::vector<ListedAdapter>& list) { return app::FormatMacAddress(app::ChooseMacAddress(list)); };
  EXPECT_EQ(text({virtualOne, wireless, wired, laterWired}), "00-1A-2B-3C-4D-5E");
  EXPECT_EQ(text({wireless, laterWireless}), "A4-34-D9-0A-0B-0C");
  EXPECT_EQ(text({virtualOne}), "00-00-00-00-00-00");
  EXPECT_EQ(text({}), "00-00-00-00-00-00");
}

TEST(SignInReplies, APageAddressIsShownOnlyWhenAcceptedAndAWebPage) {
  const std::string page = R"({"code":"200","msg":"success","wechatLoginUrl":"http://127.0.0.1/signin/page?loginCode=ab","loginCode":"ab"})";
  SignInReplyAction action = app::ReadSignInReply(net::kSignInCode, true, &page);
  EXPECT_EQ(action.kind, SignInReplyAction::kShowPage);
  EXPECT_EQ(action.pageUrl, "http://127.0.0.1/signin/page?loginCode=ab");

  const std::string local = R"({"code":"200","msg":"","wechatLoginUrl":"file:///C:/x.html","loginCode":"ab"})";
  const std::string refused = R"({"code":"500","msg":"busy"})";
  const std::string garbage = "<html>";
  for (const std::string* body : {&local, &refused, &garbage})
    EXPECT_EQ(app::ReadSignInReply(net::kSignInCode, true, body).kind, SignInReplyAction::kRequestFailedPrompt) << *body;
  EXPECT_EQ(app::ReadSignInReply(net::kSignInCode, false, nullptr).kind, SignInReplyAction::kNothing);
}

TEST(SignInReplies, ResultsCompleteRefuseOrFail) {
  const std::string zero = R"({"code":"200","msg":"","data":{"userId":0,"userToken":"t0","headImgUrl":"http://h/0.png"}})";
  SignInReplyAction action = app::ReadSignInReply(net::kSignInResult, true, &zero);
  ASSERT_EQ(action.kind, SignInReplyAction::kComplete);  // 0 is a valid id
  EXPECT_EQ(action.user.userId, 0);
  EXPECT_EQ(action.user.userToken, "t0");
  EXPECT_EQ(action.user.headImgUrl, "http://h/0.png");
  EXPECT_TRUE(action.user.signedIn);

  const std::string refused = R"({"code":"401","msg":"授权码无效，请重新扫码"})";
  action = app::ReadSignInReply(net::kSignInResult, true, &refused);
  EXPECT_EQ(action.kind, SignInReplyAction::kErrorPrompt);
  EXPECT_EQ(action.message, "授权码无效，请重新扫码");

  const std::string noUser = R"({"code":"200","msg":"","data":{"userId":-1,"userToken":"t","headImgUrl":""}})";
  const std::string noToken = R"({"code":"200","msg":"","data":{"userId":5,"userToken":"","headImgUrl":""}})";
  for (const std::string* body : {&noUser, &noToken})
    EXPECT_EQ(app::ReadSignInReply(net::kSignInResult, true, body).kind, SignInReplyAction::kRequestFailedPrompt);
  EXPECT_EQ(app::ReadSignInReply(net::kSignInResult, false, nullptr).kind, SignInReplyAction::kNothing);
}

struct FakeStore {
  std::set<std::string> files;
  std::vector<std::string> downloads, tokens;
  int failures = 0;
  app::SignInStore Store() {
    return {{[](const std::string&) { return true; },
             [this](const std::string& path) { return files.count(path) > 0; },
             [this](const std::string& url, const std::string& path) {
               downloads.push_back(url);
               if (failures > 0 && failures--) return false;
               files.insert(path);
               return true;
             }},
            [this](const std::string& token) { tokens.push_back(token); }};
  }
};

net::UserInfo User(int id, const char* image) {
  net::UserInfo user;
  user.userId = id;
  user.signedIn = true;
  user.userToken = "tok";
  user.headImgUrl = image;
  return user;
}

TEST(SignInCompletion, TheHeadImageTheUserAndTheTokenAreStored) {
  FakeStore fake;
  app::AppState state;
  app::CompleteSignIn(User(7, "http://h/7.png"), "C:\\img\\", state, fake.Store());
  EXPECT_EQ(fake.downloads, std::vector<std::string>{"http://h/7.png"});
  EXPECT_TRUE(fake.files.count("C:\\img\\7.jpg"));
  EXPECT_TRUE(state.User().signedIn);
  EXPECT_EQ(state.User().userId, 7);
  EXPECT_EQ(fake.tokens, std::vector<std::string>{"tok"});
}

TEST(SignInCompletion, AKeptHeadImageIsNotFetchedAndAFailingOneTriesThreeTimes) {
  FakeStore kept;
  kept.files.insert("C:\\img\\7.jpg");
  app::AppState state;
  app::CompleteSignIn(User(7, "http://h/7.png"), "C:\\img\\", state, kept.Store());
  EXPECT_TRUE(kept.downloads.empty());

  FakeStore failing;
  failing.failures = 5;
  app::CompleteSignIn(User(8, "http://h/8.png"), "C:\\img\\", state, failing.Store());
  EXPECT_EQ(failing.downloads.size(), 3u);
  EXPECT_TRUE(state.User().signedIn);  // the sign-in completes all the same
  EXPECT_EQ(failing.tokens.size(), 1u);
}

TEST(SignInCompletion, AHeadImageThatIsNotOnTheWebIsNotFetched) {
  FakeStore fake;
  app::AppState state;
  app::CompleteSignIn(User(9, "file:///C:/Windows/System32/config/SAM"), "C:\\img\\", state, fake.Store());
  EXPECT_TRUE(fake.downloads.empty());
  EXPECT_EQ(state.User().userId, 9);
}

}  // namespace
