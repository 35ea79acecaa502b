// Two instances on one store: what one of them hands out, the other honours, and a sign-in
// code is used once whichever instances its uses reach.
#include <gtest/gtest.h>

#include <atomic>
#include <nlohmann/json.hpp>
#include <regex>
#include <thread>
#include <vector>

#include "test_server.h"

using catalogue_test::TestServer;
using nlohmann::json;

namespace {

const std::string mac = "00-1A-2B-3C-4D-5E";

json get_json(const TestServer& s, const std::string& target, const httplib::Headers& h = {}) {
  auto r = s.get(target, h);
  return r ? json::parse(r->body, nullptr, false) : json();
}

std::string new_login_code(const TestServer& s) {
  return get_json(s, "/api/dll/user/wechat/login?commodityType=1&isCef=true&channelNum=c&mac=" + mac)
      .value("loginCode", "");
}

std::string approve(const TestServer& s, const std::string& login_code) {
  auto r = s.get("/signin/demo/approve?loginCode=" + login_code);
  std::smatch m;
  if (!r || !std::regex_search(r->body, m, std::regex(R"(wxCallback\('([0-9a-f]+)')"))) return std::string();
  return m[1];
}

json exchange(const TestServer& s, const std::string& grant, const std::string& login_code) {
  return get_json(s, "/api/dll/user/getOpenId?channelNum=c&mac=" + mac + "&code=" + grant +
                         "&commodityType=1&loginCode=" + login_code);
}

struct TwoInstances : ::testing::Test {
  TestServer a;
  TestServer b{TestServer::SameStore{}, a};
};

}  // namespace

TEST_F(TwoInstances, ACodeMadeOnOneSignsInOnceOnTheOther) {
  std::string login_code = new_login_code(a);
  ASSERT_EQ(login_code.size(), 32u);
  EXPECT_EQ(b.get("/signin/page?loginCode=" + login_code)->status, 200);
  std::string grant = approve(b, login_code);
  ASSERT_FALSE(grant.empty());
  json first = exchange(b, grant, login_code);
  ASSERT_EQ(first["code"], "200") << first.dump();
  json again = exchange(a, grant, login_code);
  EXPECT_EQ(again["code"], "410");
  EXPECT_EQ(a.get("/signin/page?loginCode=" + login_code)->status, 410);

  // The token works on both, for the same user.
  std::string token = first["data"]["userToken"];
  for (const TestServer* s : {&a, &b}) {
    json info = get_json(*s, "/api/dll/user/getUserInfoByToken", {{"token", token}});
    EXPECT_EQ(info["code"], "200");
    EXPECT_EQ(info["data"]["userId"], first["data"]["userId"]);
  }
}

TEST_F(TwoInstances, OfManyExchangesOfOneCodeAtOnceExactlyOneWins) {
  for (int round = 0; round < 3; ++round) {
    std::string login_code = new_login_code(round % 2 ? a : b);
    std::string grant = approve(a, login_code);
    ASSERT_FALSE(grant.empty());
    std::atomic<int> won{0}, refused{0}, other{0};
    std::vector<std::thread> threads;
    for (int i = 0; i < 8; ++i) {
      threads.emplace_back([&, i] {
        json r = exchange(i % 2 ? a : b, grant, login_code);
        if (r["code"] == "200") ++won;
        else if (r["code"] == "410") ++refused;
        else ++other;
      });
    }
    for (std::thread& t : threads) t.join();
    EXPECT_EQ(won, 1);
    EXPECT_EQ(refused, 7);
    EXPECT_EQ(other, 0);
  }
}

TEST_F(TwoInstances, AnInstanceThatRestartsKeepsEveryUserAndToken) {
  std::vector<std::pair<int, std::string>> signed_in;
  for (int i = 0; i < 3; ++i) {
    std::string login_code = new_login_code(a);
    json r = exchange(a, approve(a, login_code), login_code);
    ASSERT_EQ(r["code"], "200");
    signed_in.emplace_back(r["data"]["userId"].get<int>(), r["data"]["userToken"].get<std::string>());
  }
  a.stop();
  for (const auto& [id, token] : signed_in)
    EXPECT_EQ(get_json(b, "/api/dll/user/getUserInfoByToken", {{"token", token}})["data"]["userId"], id);
  a.start();
  for (const auto& [id, token] : signed_in)
    EXPECT_EQ(get_json(a, "/api/dll/user/getUserInfoByToken", {{"token", token}})["data"]["userId"], id);
}
