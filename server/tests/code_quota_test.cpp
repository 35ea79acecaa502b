// Sign-in codes counted per client address, so that one client cannot use up the store's cap
// on live codes for everybody.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "test_server.h"
#include "users/code_quota.h"

using catalogue::CodeQuota;
using catalogue_test::TestServer;

namespace {

const char* ask = "/api/dll/user/wechat/login?commodityType=1&isCef=true&channelNum=t&mac=00-1A-2B-3C-4D-5E";

int status_of(const TestServer& s, const httplib::Headers& headers = {}) {
  auto r = s.get(ask, headers);
  return r ? r->status : 0;
}

httplib::Headers forwarded_for(const std::string& address) { return {{"X-Forwarded-For", address}}; }

}  // namespace

TEST(CodeQuota, EachAddressHasItsShareWithinTheWindowAndAgainAfterIt) {
  CodeQuota quota(300, 2);
  EXPECT_TRUE(quota.take("192.0.2.1", 1000));
  EXPECT_TRUE(quota.take("192.0.2.1", 1100));
  EXPECT_FALSE(quota.take("192.0.2.1", 1200));
  EXPECT_TRUE(quota.take("192.0.2.2", 1200)) << "another address is not held up";
  EXPECT_FALSE(quota.take("192.0.2.1", 1299));
  EXPECT_TRUE(quota.take("192.0.2.1", 1300)) << "the first code has left the window";
  EXPECT_FALSE(quota.take("192.0.2.1", 1300));
}

TEST(CodeQuota, AFloodFromManyAddressesIsHeldToTheTableSizeAndEndsWithTheWindow) {
  CodeQuota quota(300, 5, 3);
  EXPECT_TRUE(quota.take("a", 10));
  EXPECT_TRUE(quota.take("b", 10));
  EXPECT_TRUE(quota.take("c", 10));
  EXPECT_FALSE(quota.take("d", 11)) << "a fourth address while three are remembered";
  EXPECT_TRUE(quota.take("a", 12)) << "the addresses already known keep their share";
  EXPECT_TRUE(quota.take("d", 311)) << "b and c are forgotten once their codes leave the window";
}

TEST(CodeQuota, TheServerRefusesAClientBeyondItsShareWith429) {
  TestServer s;
  s.server().state().code_quota.set_per_client(3);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(status_of(s), 200);
  auto refused = s.get(ask);
  ASSERT_TRUE(refused);
  EXPECT_EQ(refused->status, 429);
  EXPECT_EQ(nlohmann::json::parse(refused->body)["code"], "429");
  // Without a proxy named, a client cannot pass for another by the header.
  EXPECT_EQ(status_of(s, forwarded_for("198.51.100.7")), 429);
}

TEST(CodeQuota, BehindTheProxyEachForwardedClientCountsOnItsOwn) {
  catalogue::ServerConfig config;
  config.clientAddressHeader = "X-Forwarded-For";
  TestServer s(std::string(), config);
  s.server().state().code_quota.set_per_client(2);
  for (int i = 0; i < 2; ++i) EXPECT_EQ(status_of(s, forwarded_for("198.51.100.7")), 200);
  EXPECT_EQ(status_of(s, forwarded_for("198.51.100.7")), 429);
  EXPECT_EQ(status_of(s, forwarded_for("2001:db8::1")), 200);
  // A list or anything but one address is not taken as the client: the proxy's own address
  // counts instead, for every such request together.
  EXPECT_EQ(status_of(s, forwarded_for("203.0.113.1, 203.0.113.2")), 200);
  EXPECT_EQ(status_of(s, forwarded_for("not an address")), 200);
  EXPECT_EQ(status_of(s, {{"X-Forwarded-For", "203.0.113.9"}, {"X-Forwarded-For", "203.0.113.10"}}), 429);
}
