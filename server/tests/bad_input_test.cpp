// Hostile and broken requests: each gets a 4xx, and neither the catalogue nor the users change.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "raw_http.h"
#include "db/connection_pool.h"
#include "test_server.h"

using catalogue_test::raw_exchange;
using catalogue_test::raw_status;
using catalogue_test::TestServer;

namespace {

struct Endpoint {
  const char* path;
  std::vector<const char*> keys;
};

const std::vector<Endpoint>& endpoints() {
  static const std::vector<Endpoint> all = {
      {"/api/dll/files/common", {"channelNum"}},
      {"/api/dll/files/runtime", {}},
      {"/api/dll/files/dx", {}},
      {"/api/dll/files/system", {}},
      {"/api/dll/user/getUserInfoByToken", {}},
      {"/api/dll/user/wechat/login", {"commodityType", "isCef", "channelNum", "mac"}},
      {"/api/dll/user/getOpenId", {"channelNum", "mac", "code", "commodityType", "loginCode"}},
  };
  return all;
}

std::string query(const Endpoint& e, const std::string& key_to_change, const std::string& value) {
  std::string q;
  for (const char* k : e.keys) {
    q += (q.empty() ? "?" : "&") + std::string(k) + "=" + (k == key_to_change ? value : "1");
  }
  return e.path + q;
}

int status_of(const TestServer& s, const std::string& target) {
  return raw_status(raw_exchange(s.port(), "GET " + target + " HTTP/1.1\r\nHost: x\r\nConnection: close\r\n\r\n"));
}

std::string users_snapshot(TestServer& s) {
  catalogue::SqlResult r;
  bool read = catalogue::open_connection(s.db_path())
                  ->run("SELECT (SELECT count(*) FROM users) || '/' || (SELECT count(*) FROM tokens) || '/' ||"
                        " (SELECT count(*) FROM login_codes WHERE used = 1)",
                        r);
  return read && !r.empty() ? r.text_at(0, 0) : std::string("unreadable");
}

struct BadInput : ::testing::Test {
  TestServer s;
  std::string catalogue_before;
  std::string users_before;
  void SetUp() override {
    catalogue_before = s.export_text();
    users_before = users_snapshot(s);
  }
  void TearDown() override {
    EXPECT_EQ(s.export_text(), catalogue_before);
    EXPECT_EQ(users_snapshot(s), users_before);
    EXPECT_EQ(s.get("/api/dll/files/runtime")->status, 200) << "the server must still answer";
  }
};

}  // namespace

TEST_F(BadInput, MissingRepeatedAndUnexpectedKeys) {
  for (const Endpoint& e : endpoints()) {
    for (const char* k : e.keys) {
      std::string full = query(e, "", "");
      std::string without = full;
      size_t at = without.find(std::string(k) + "=1");
      without.erase(at, std::string(k).size() + 2);
      EXPECT_EQ(status_of(s, without), 400) << without;
      EXPECT_EQ(status_of(s, full + "&" + k + "=2"), 400) << full << " repeated " << k;
    }
    std::string extra = query(e, "", "");
    extra += (e.keys.empty() ? "?" : "&") + std::string("extra=1");
    EXPECT_EQ(status_of(s, extra), 400) << extra;
  }
}

TEST_F(BadInput, SqlMetacharactersInEveryKeyChangeNothing) {
  const std::vector<std::string> payloads = {
      "'%3B%20DROP%20TABLE%20entries%3B%20--", "%22%20OR%201%3D1%20--", "1'%20OR%20'1'%3D'1",
      "%27%29%3B%20DELETE%20FROM%20users%3B%20--", "%00", "%25", "%5C%27"};
  for (const Endpoint& e : endpoints()) {
    for (const char* k : e.keys) {
      for (const std::string& p : payloads) {
        int status = status_of(s, query(e, k, p));
        // Channels and MACs are free text and may be accepted; nothing else is.
        EXPECT_TRUE(status == 200 || (status >= 400 && status < 500)) << query(e, k, p) << " -> " << status;
        if (std::string(e.path) == "/api/dll/user/getOpenId") EXPECT_NE(status, 200) << query(e, k, p);
      }
    }
  }
  for (const char* token : {"' OR '1'='1", "x'; DROP TABLE tokens; --", "%27"}) {
    std::string r = raw_exchange(s.port(), std::string("GET /api/dll/user/getUserInfoByToken HTTP/1.1\r\nHost: x\r\ntoken:") +
                                               token + "\r\nConnection: close\r\n\r\n");
    EXPECT_EQ(raw_status(r), 401) << token;
  }
  // Kind-13 requests create sign-in codes by design; the baseline is taken after them.
  users_before = users_snapshot(s);
}

TEST_F(BadInput, OversizedQueryAndHeaderAreRefusedEarly) {
  std::string long_query = "/api/dll/files/common?channelNum=" + std::string(64 * 1024, 'a');
  int status = status_of(s, long_query);
  EXPECT_GE(status, 400);
  EXPECT_LT(status, 500);
  std::string huge_token = "GET /api/dll/user/getUserInfoByToken HTTP/1.1\r\nHost: x\r\ntoken:" +
                           std::string(1024 * 1024, 'f') + "\r\nConnection: close\r\n\r\n";
  status = raw_status(raw_exchange(s.port(), huge_token));
  EXPECT_GE(status, 400);
  EXPECT_LT(status, 500);
  EXPECT_EQ(status_of(s, "/api/dll/files/common?channelNum=" + std::string(129, 'c')), 400);
  std::string flood = "GET /api/dll/files/runtime HTTP/1.1\r\nHost: x\r\n";
  for (int i = 0; i < 2000; ++i) flood += "X-Filler-" + std::to_string(i) + ": " + std::string(100, 'h') + "\r\n";
  EXPECT_EQ(raw_status(raw_exchange(s.port(), flood + "Connection: close\r\n\r\n")), 431);
}

TEST_F(BadInput, InvalidUtf8IsRefused) {
  for (const char* bad : {"%FF", "%C0%AF", "%ED%A0%80", "%E4%B8", "\xff\xfe"}) {
    EXPECT_EQ(status_of(s, std::string("/api/dll/files/common?channelNum=") + bad), 400) << bad;
    EXPECT_EQ(status_of(s, std::string("/api/dll/user/wechat/login?commodityType=1&isCef=true&channelNum=a&mac=") + bad),
              400)
        << bad;
  }
  std::string r = raw_exchange(s.port(), "GET /api/dll/user/getUserInfoByToken HTTP/1.1\r\nHost: x\r\ntoken:\xc3\x28" +
                                             std::string(62, 'a') + "\r\nConnection: close\r\n\r\n");
  EXPECT_EQ(raw_status(r), 401);
  EXPECT_EQ(status_of(s, "/api/dll/files/common?channelNum=%E4%B8%AD%E6%96%87"), 200) << "valid UTF-8 passes";
}

TEST_F(BadInput, GarbageRequestLinesDoNotUpsetTheServer) {
  for (const char* junk : {"\r\n\r\n", "GET\r\n\r\n", "HELLO / HTTP/1.1\r\n\r\n", "GET / HTTP/9.9\r\n\r\n",
                           "GET /api/dll/files/runtime HTTP/1.1\r\nContent-Length: -5\r\n\r\n"}) {
    std::string r = raw_exchange(s.port(), junk);
    int status = raw_status(r);
    EXPECT_TRUE(status == 0 || (status >= 400 && status < 500)) << junk << " -> " << r.substr(0, 40);
  }
}
