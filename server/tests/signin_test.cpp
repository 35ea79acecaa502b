// Sign-in from the program's side: the kind-13 address, the page, the script call, the kind-15
// exchange and the token check, with the demo provider and with WeChat's flow against a stand-in.
#include <gtest/gtest.h>

#include <atomic>
#include <nlohmann/json.hpp>
#include <regex>

#include "test_server.h"

using catalogue_test::TestServer;
using nlohmann::json;

namespace {

const char* mac = "00-1A-2B-3C-4D-5E";

json body_of(const httplib::Result& r) { return r ? json::parse(r->body, nullptr, false) : json(); }

struct SignInReply {
  int status = 0;
  json body;
};

SignInReply get_json(const TestServer& s, const std::string& target, const httplib::Headers& h = {}) {
  auto r = s.get(target, h);
  return r ? SignInReply{r->status, body_of(r)} : SignInReply{};
}

std::string request_login_code(const TestServer& s) {
  SignInReply r = get_json(s, std::string("/api/dll/user/wechat/login?commodityType=1&isCef=true&channelNum=tessa&mac=") + mac);
  EXPECT_EQ(r.body["code"], "200");
  std::string code = r.body.value("loginCode", "");
  EXPECT_EQ(code.size(), 32u);
  EXPECT_EQ(r.body.value("wechatLoginUrl", ""), s.base() + "/signin/page?loginCode=" + code);
  return code;
}

// The arguments of the page's wxCallback call.
std::vector<std::string> callback_arguments(const std::string& html) {
  std::smatch m;
  if (!std::regex_search(html, m, std::regex(R"(w\.wxCallback\('([^']*)','([^']*)','([^']*)'\))"))) return {};
  return {m[1], m[2], m[3]};
}

SignInReply exchange(const TestServer& s, const std::string& code, const std::string& login_code) {
  return get_json(s, std::string("/api/dll/user/getOpenId?channelNum=tessa&mac=") + mac + "&code=" + code +
                         "&commodityType=1&loginCode=" + login_code);
}

// Signs in through the demo page's approve button; returns the kind-15 reply.
SignInReply demo_sign_in(const TestServer& s) {
  std::string login_code = request_login_code(s);
  auto page = s.get("/signin/page?loginCode=" + login_code);
  EXPECT_TRUE(page && page->status == 200);
  auto approved = s.get("/signin/demo/approve?loginCode=" + login_code);
  EXPECT_TRUE(approved && approved->status == 200);
  std::vector<std::string> args = callback_arguments(approved ? approved->body : "");
  EXPECT_EQ(args.size(), 3u);
  if (args.size() != 3) return {};
  EXPECT_EQ(args[1], "1");
  EXPECT_EQ(args[2], login_code);
  return exchange(s, args[0], args[2]);
}

// A clock that stands still but for the offsets a test sets: a real clock ticking over a second
// between two requests would move a deadline test across its boundary.
struct ControlledClock {
  std::atomic<int64_t> offset{0};
  int64_t base = static_cast<int64_t>(time(nullptr));
  void attach(TestServer& s) {
    s.server().state().set_clock([this] { return base + offset.load(); });
  }
};

}  // namespace

TEST(DemoSignIn, ThePageShowsAQrCodeAndAnApproveButton) {
  TestServer s;
  std::string login_code = request_login_code(s);
  auto page = s.get("/signin/page?loginCode=" + login_code);
  ASSERT_TRUE(page);
  EXPECT_EQ(page->status, 200);
  EXPECT_NE(page->body.find("<table class=\"qr\""), std::string::npos);
  EXPECT_NE(page->body.find("<td class=\"d\">"), std::string::npos);
  EXPECT_NE(page->body.find("/signin/demo/approve?loginCode=" + login_code), std::string::npos);
}

TEST(DemoSignIn, ApprovalGivesATokenThatIdentifiesTheUser) {
  TestServer s;
  SignInReply r = demo_sign_in(s);
  ASSERT_EQ(r.body["code"], "200") << r.body.dump();
  int userId = r.body["data"]["userId"];
  std::string token = r.body["data"]["userToken"];
  EXPECT_GE(userId, 0);
  EXPECT_EQ(token.size(), 64u);  // 256 random bits
  EXPECT_EQ(r.body["data"]["headImgUrl"], s.base() + "/files/images/head-demo.png");

  SignInReply info = get_json(s, "/api/dll/user/getUserInfoByToken", {{"token", token}});
  EXPECT_EQ(info.status, 200);
  EXPECT_EQ(info.body["code"], "200");
  EXPECT_EQ(info.body["data"]["userId"], userId);
  EXPECT_EQ(info.body["data"]["userToken"], token);

  // The same machine signing in again is the same user, with a second, different token.
  SignInReply again = demo_sign_in(s);
  EXPECT_EQ(again.body["data"]["userId"], userId);
  EXPECT_NE(again.body["data"]["userToken"], token);
  EXPECT_EQ(get_json(s, "/api/dll/user/getUserInfoByToken", {{"token", token}}).body["code"], "200");
}

TEST(DemoSignIn, ALoginCodeWorksOnce) {
  TestServer s;
  std::string login_code = request_login_code(s);
  auto approved = s.get("/signin/demo/approve?loginCode=" + login_code);
  std::vector<std::string> args = callback_arguments(approved->body);
  ASSERT_EQ(args.size(), 3u);
  EXPECT_EQ(exchange(s, args[0], login_code).body["code"], "200");
  SignInReply replay = exchange(s, args[0], login_code);
  EXPECT_NE(replay.body["code"], "200");
  EXPECT_FALSE(replay.body["msg"].get<std::string>().empty());
  auto page = s.get("/signin/page?loginCode=" + login_code);
  EXPECT_EQ(page->status, 410);
}

TEST(DemoSignIn, AWrongGrantFailsAndUsesUpTheCode) {
  TestServer s;
  std::string login_code = request_login_code(s);
  auto approved = s.get("/signin/demo/approve?loginCode=" + login_code);
  std::vector<std::string> args = callback_arguments(approved->body);
  ASSERT_EQ(args.size(), 3u);
  SignInReply wrong = exchange(s, "0123456789abcdef0123456789abcdef", login_code);
  EXPECT_NE(wrong.body["code"], "200");
  EXPECT_NE(exchange(s, args[0], login_code).body["code"], "200");
  // Without approval there is no grant at all.
  std::string unapproved = request_login_code(s);
  EXPECT_NE(exchange(s, "anything", unapproved).body["code"], "200");
}

TEST(DemoSignIn, LoginCodesExpireAfterFiveMinutes) {
  TestServer s;
  ControlledClock clock;
  clock.attach(s);
  std::string login_code = request_login_code(s);
  clock.offset = 299;
  EXPECT_EQ(s.get("/signin/page?loginCode=" + login_code)->status, 200);
  clock.offset = 301;
  EXPECT_EQ(s.get("/signin/page?loginCode=" + login_code)->status, 410);
  EXPECT_EQ(s.get("/signin/demo/approve?loginCode=" + login_code)->status, 410);
  EXPECT_EQ(exchange(s, "x", login_code).body["code"], "410");
}

TEST(DemoSignIn, TheNumberOfLiveLoginCodesIsCapped) {
  TestServer s;
  ControlledClock clock;
  clock.attach(s);
  s.server().state().max_live_codes = 3;
  const std::string ask = std::string("/api/dll/user/wechat/login?commodityType=1&isCef=true&channelNum=t&mac=") + mac;
  for (int i = 0; i < 3; ++i) EXPECT_EQ(get_json(s, ask).body["code"], "200");
  SignInReply full = get_json(s, ask);
  EXPECT_EQ(full.status, 503);
  EXPECT_NE(full.body["code"], "200");
  clock.offset = 301;  // the three expire and make room again
  EXPECT_EQ(get_json(s, ask).body["code"], "200");
}

TEST(TokenCheck, UnknownMalformedMissingAndExpiredTokensAreRefused) {
  TestServer s;
  ControlledClock clock;
  clock.attach(s);
  std::string token = demo_sign_in(s).body["data"]["userToken"];
  for (const httplib::Headers& h : std::vector<httplib::Headers>{
           {}, {{"token", std::string(64, 'a')}}, {{"token", "short"}}, {{"token", token + "0"}},
           {{"token", token}, {"token", token}}}) {
    SignInReply r = get_json(s, "/api/dll/user/getUserInfoByToken", h);
    EXPECT_EQ(r.status, 401);
    EXPECT_EQ(r.body["code"], "401");
  }
  clock.offset = 31LL * 24 * 3600;
  EXPECT_EQ(get_json(s, "/api/dll/user/getUserInfoByToken", {{"token", token}}).body["code"], "401");
}

namespace {

// Answers like WeChat's open platform for one app, one user and one authorisation code.
struct WeChatStandIn {
  httplib::Server server;
  std::thread thread;
  int port = 0;
  std::atomic<int> exchanges{0};

  WeChatStandIn() {
    server.Get("/sns/oauth2/access_token", [this](const httplib::Request& req, httplib::Response& res) {
      ++exchanges;
      bool good = req.get_param_value("appid") == "wxTESTAPP" && req.get_param_value("secret") == "S3CRET" &&
                  req.get_param_value("code") == "AUTHCODE42" && req.get_param_value("grant_type") == "authorization_code";
      json j = good ? json{{"access_token", "ACCESS"}, {"expires_in", 7200}, {"openid", "OPENID7"}, {"unionid", "UNION9"}}
                    : json{{"errcode", 40029}, {"errmsg", "invalid code"}};
      res.set_content(j.dump(), "application/json");
    });
    server.Get("/sns/userinfo", [](const httplib::Request& req, httplib::Response& res) {
      bool good = req.get_param_value("access_token") == "ACCESS" && req.get_param_value("openid") == "OPENID7";
      json j = good ? json{{"openid", "OPENID7"}, {"nickname", "微信用户"}, {"headimgurl", "https://wx.example/head/0"}}
                    : json{{"errcode", 40001}, {"errmsg", "invalid credential"}};
      res.set_content(j.dump(), "application/json");
    });
    port = server.bind_to_any_port("127.0.0.1");
    // Bound and listening already: connections wait in the backlog until the loop accepts.
    thread = std::thread([this] { server.listen_after_bind(); });
  }
  ~WeChatStandIn() {
    server.stop();
    thread.join();
  }
  std::string base() const { return "http://127.0.0.1:" + std::to_string(port); }
};

catalogue::ServerConfig wechat_config(const WeChatStandIn& wx) {
  catalogue::ServerConfig c;
  c.provider = "wechat";
  c.wechat.appId = "wxTESTAPP";
  c.wechat.secret = "S3CRET";
  c.wechat.apiBase = wx.base();
  c.wechat.connectBase = wx.base();
  return c;
}

}  // namespace

TEST(WeChatSignIn, ThePageEmbedsTheQrConnectPageForThisLoginCode) {
  WeChatStandIn wx;
  TestServer s("", wechat_config(wx));
  std::string login_code = request_login_code(s);
  auto page = s.get("/signin/page?loginCode=" + login_code);
  ASSERT_TRUE(page);
  std::string redirect = "http%3A%2F%2F127.0.0.1%3A" + std::to_string(s.port()) + "%2Fsignin%2Fwechat%2Fcallback";
  std::string expected = wx.base() + "/connect/qrconnect?appid=wxTESTAPP&amp;redirect_uri=" + redirect +
                         "&amp;response_type=code&amp;scope=snsapi_login&amp;state=" + login_code + "#wechat_redirect";
  EXPECT_NE(page->body.find("<iframe id=\"wxqr\" src=\"" + expected + "\""), std::string::npos) << page->body;
}

TEST(WeChatSignIn, TheCallbackAndTheExchangeSignTheUserIn) {
  WeChatStandIn wx;
  TestServer s("", wechat_config(wx));
  std::string login_code = request_login_code(s);
  auto callback = s.get("/signin/wechat/callback?code=AUTHCODE42&state=" + login_code);
  ASSERT_TRUE(callback);
  std::vector<std::string> args = callback_arguments(callback->body);
  ASSERT_EQ(args, (std::vector<std::string>{"AUTHCODE42", "1", login_code}));
  SignInReply r = exchange(s, args[0], args[2]);
  ASSERT_EQ(r.body["code"], "200") << r.body.dump();
  EXPECT_EQ(r.body["data"]["headImgUrl"], "https://wx.example/head/0");
  std::string token = r.body["data"]["userToken"];
  EXPECT_EQ(get_json(s, "/api/dll/user/getUserInfoByToken", {{"token", token}}).body["data"]["userId"],
            r.body["data"]["userId"]);
}

TEST(WeChatSignIn, ARefusedOrUnreachableExchangeIsReportedNotCrashed) {
  WeChatStandIn wx;
  TestServer s("", wechat_config(wx));
  SignInReply bad = exchange(s, "WRONGCODE", request_login_code(s));
  EXPECT_EQ(bad.body["code"], "401");
  EXPECT_FALSE(bad.body["msg"].get<std::string>().empty());
  EXPECT_EQ(wx.exchanges.load(), 1);
  // A refusal from WeChat without a code (the user declined) reaches the callback without one.
  EXPECT_EQ(s.get("/signin/wechat/callback?state=abc")->status, 400);

  catalogue::ServerConfig gone = wechat_config(wx);
  gone.wechat.apiBase = "http://127.0.0.1:1";
  TestServer offline("", gone);
  EXPECT_EQ(exchange(offline, "AUTHCODE42", request_login_code(offline)).body["code"], "401");
}

// The demo provider signs anyone in with one click: it is refused on any address but a
// loopback one unless the operator says so, before anything listens.
TEST(DemoSignIn, RefusesToStartOnAnAddressOtherThanLoopback) {
  for (const char* host : {"0.0.0.0", "192.0.2.10", "::"}) {
    catalogue_test::TempDir temp;
    catalogue::ServerConfig config;
    config.dbPath = temp.path + "/catalogue.db";
    config.host = host;
    config.port = 0;
    catalogue::CatalogueServer server(config);
    const std::string problem = server.start();
    EXPECT_NE(problem.find("loopback"), std::string::npos) << host << ": " << problem;
  }
  catalogue_test::TempDir temp;
  catalogue::ServerConfig wechat;
  wechat.dbPath = temp.path + "/catalogue.db";
  wechat.host = "0.0.0.0";
  wechat.provider = "wechat";  // without its app id: refused for that, not for the address
  EXPECT_EQ(catalogue::CatalogueServer(wechat).start().find("loopback"), std::string::npos);
}
