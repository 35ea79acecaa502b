// A PostgreSQL store that drops the server's connections (a restart, a failover): the server
// keeps serving what it holds in memory, says "try later" rather than "signed out", and is
// back on its own with the next request.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "db/pg_connection.h"
#include "test_database.h"
#include "test_server.h"

using catalogue_test::TestServer;
using nlohmann::json;

namespace {

json get_json(const TestServer& s, const std::string& target, const httplib::Headers& h = {}) {
  auto r = s.get(target, h);
  return r ? json::parse(r->body, nullptr, false) : json();
}

// Ends every session on the test server's database but this one, as a restart of PostgreSQL
// would; returns how many were ended.
int drop_connections(const std::string& db_url) {
  catalogue::PgConnection admin(db_url);
  catalogue::SqlResult r;
  if (!admin.run("SELECT count(pg_terminate_backend(pid)) FROM pg_stat_activity"
                 " WHERE datname = current_database() AND pid <> pg_backend_pid()",
                 r) ||
      r.empty())
    return -1;
  return static_cast<int>(r.int_at(0, 0));
}

}  // namespace

TEST(StoreOutage, DroppedConnectionsAreNotLostTokensAndAreOpenedAgain) {
  if (!catalogue_test::testing_postgresql()) GTEST_SKIP() << "only a database server can drop connections";
  // No poll during the test: every store access is one of the requests below, in order, on the
  // one connection they need.
  catalogue::ServerConfig quiet;
  quiet.cataloguePollMs = 600000;
  TestServer s("", quiet);
  std::string login_code =
      get_json(s, "/api/dll/user/wechat/login?commodityType=1&isCef=true&channelNum=c&mac=AA").value("loginCode", "");
  auto approved = s.get("/signin/demo/approve?loginCode=" + login_code);
  ASSERT_TRUE(approved);
  std::string grant = approved->body.substr(approved->body.find("wxCallback('") + 12, 32);
  json signed_in = get_json(s, "/api/dll/user/getOpenId?channelNum=c&mac=AA&code=" + grant +
                                   "&commodityType=1&loginCode=" + login_code);
  ASSERT_EQ(signed_in["code"], "200") << signed_in.dump();
  std::string token = signed_in["data"]["userToken"];
  std::string runtime = s.get("/api/dll/files/runtime")->body;

  ASSERT_GE(drop_connections(s.db_path()), 1);
  auto check = s.get("/api/dll/user/getUserInfoByToken", {{"token", token}});
  ASSERT_TRUE(check);
  EXPECT_EQ(check->status, 503) << "a token the store could not be asked about is not refused";
  EXPECT_NE(json::parse(check->body)["code"], "401");
  EXPECT_EQ(s.get("/api/dll/files/runtime")->body, runtime) << "the lists come from memory";

  // The next request opens a new connection.
  json again = get_json(s, "/api/dll/user/getUserInfoByToken", {{"token", token}});
  EXPECT_EQ(again["code"], "200") << again.dump();
}
