// The catalogue replies served from memory: the same bytes the server sent when it built them
// per request, validators for caches in front, and changes reaching every instance on a store.
#include <gtest/gtest.h>

#include <chrono>
#include <set>
#include <nlohmann/json.hpp>
#include <sstream>
#include <thread>

#include "cli/admin_commands.h"
#include "http/etag_match.h"
#include "test_server.h"

using catalogue_test::TestServer;
using nlohmann::json;

namespace {

using catalogue_test::eventually;

const char* public_base = "http://base.invalid:1";  // the address the recorded replies were made under
const char* lists[] = {"common?channelNum=x", "runtime", "dx", "system"};

catalogue::ServerConfig under_recorded_address() {
  catalogue::ServerConfig c;
  c.publicBase = public_base;
  return c;
}

std::string list_name(const std::string& target) { return target.substr(0, target.find('?')); }

int status_of_entry(const TestServer& s, int id) {
  auto r = s.get("/api/dll/files/runtime");
  json j = r ? json::parse(r->body, nullptr, false) : json();
  if (!j.is_object() || !j["data"].is_array()) return -1;
  for (const json& e : j["data"])
    if (e["id"] == id) return e["status"];
  return -1;
}

}  // namespace

TEST(CachedReplies, AreByteForByteTheRepliesRecordedFromTheServerBeforeTheCache) {
  struct Recorded {
    std::string catalogue;
    const char* prefix;
  } cases[] = {{catalogue_test::small_catalogue_text(), "small"},
               {catalogue_test::read_text(std::string(TEST_DATA_DIR) + "/../../catalogues/production-sample.json"),
                "prod"}};
  for (const Recorded& c : cases) {
    ASSERT_FALSE(c.catalogue.empty());
    TestServer s(c.catalogue, under_recorded_address());
    for (std::string target : lists) {
      std::string recorded = catalogue_test::read_text(std::string(TEST_DATA_DIR) + "/replies/" + c.prefix + "-" +
                                                       list_name(target) + ".json");
      ASSERT_FALSE(recorded.empty()) << c.prefix << " " << target;
      auto r = s.get("/api/dll/files/" + target);
      ASSERT_TRUE(r);
      EXPECT_EQ(r->status, 200);
      EXPECT_EQ(r->body, recorded) << c.prefix << " " << target;
      EXPECT_EQ(r->get_header_value("Content-Type"), "application/json; charset=utf-8");
    }
  }
}

TEST(CachedReplies, CarryAnETagAndAShortCacheLifetimeAndAnswerAMatchingTagWith304) {
  TestServer s;
  std::set<std::string> tags;
  for (std::string target : lists) {
    auto r = s.get("/api/dll/files/" + target);
    ASSERT_TRUE(r);
    std::string etag = r->get_header_value("ETag");
    ASSERT_GE(etag.size(), 3u);
    EXPECT_EQ(etag.front(), '"');
    EXPECT_EQ(etag.back(), '"');
    EXPECT_EQ(r->get_header_value("Cache-Control"), "public, max-age=1");
    tags.insert(etag);

    auto same = s.get("/api/dll/files/" + target, {{"If-None-Match", etag}});
    ASSERT_TRUE(same);
    EXPECT_EQ(same->status, 304) << target;
    EXPECT_EQ(same->body, "");
    EXPECT_EQ(same->get_header_value("ETag"), etag);
    // As caches send it: weak, in a list, or any.
    for (std::string header : {"W/" + etag, "\"other\", " + etag, std::string("*")})
      EXPECT_EQ(s.get("/api/dll/files/" + target, {{"If-None-Match", header}})->status, 304) << header;
    EXPECT_EQ(s.get("/api/dll/files/" + target, {{"If-None-Match", "\"other\""}})->status, 200);
  }
  EXPECT_EQ(tags.size(), 4u) << "each list has a tag of its own";
  // A query that is refused is refused before any validator is looked at.
  auto bad = s.get("/api/dll/files/runtime?x=1", {{"If-None-Match", "*"}});
  ASSERT_TRUE(bad);
  EXPECT_EQ(bad->status, 400);
}

TEST(CachedReplies, AStatusChangeGivesANewBodyAndANewTag) {
  TestServer s;
  std::string before = s.get("/api/dll/files/runtime")->get_header_value("ETag");
  std::string dx_before = s.get("/api/dll/files/dx")->get_header_value("ETag");
  std::ostringstream out, err;
  ASSERT_EQ(catalogue::set_entry_status(s.db_path(), "runtime", "10", "0", out, err), 0) << err.str();
  ASSERT_TRUE(eventually([&] { return status_of_entry(s, 10) == 0; }));
  auto r = s.get("/api/dll/files/runtime", {{"If-None-Match", before}});
  EXPECT_EQ(r->status, 200) << "the old tag no longer matches";
  EXPECT_NE(r->get_header_value("ETag"), before);
  EXPECT_EQ(s.get("/api/dll/files/dx")->get_header_value("ETag"), dx_before) << "an unchanged list keeps its tag";
}

TEST(CachedReplies, AChangeThroughTheAdminCommandsReachesEveryInstanceOnTheStore) {
  TestServer a;
  TestServer b(TestServer::SameStore{}, a);
  for (std::string target : lists) {
    auto from_a = a.get("/api/dll/files/" + target), from_b = b.get("/api/dll/files/" + target);
    ASSERT_TRUE(from_a && from_b);
    EXPECT_EQ(from_a->body, from_b->body);
    EXPECT_EQ(from_a->get_header_value("ETag"), from_b->get_header_value("ETag"));
  }
  json j = json::parse(catalogue_test::small_catalogue_text());
  j["runtime"][1]["status"] = 0;
  std::ostringstream out, err;
  ASSERT_EQ(catalogue::import_catalogue_text(a.db_path(), a.files_dir(), j.dump(), out, err), 0) << err.str();
  EXPECT_TRUE(eventually([&] { return status_of_entry(a, 11) == 0 && status_of_entry(b, 11) == 0; }));
  EXPECT_EQ(a.get("/api/dll/files/runtime")->body, b.get("/api/dll/files/runtime")->body);
}

TEST(CachedReplies, ARestartedServerBuildsItsRepliesBeforeItsFirstAnswer) {
  TestServer s;
  std::ostringstream out, err;
  ASSERT_EQ(catalogue::set_entry_status(s.db_path(), "runtime", "10", "0", out, err), 0) << err.str();
  s.stop();
  s.start();
  EXPECT_EQ(status_of_entry(s, 10), 0);
}

TEST(IfNoneMatch, ReadsTheHeaderAsCachesWriteIt) {
  using catalogue::if_none_match_names;
  const std::string tag = "\"abc\"";
  EXPECT_TRUE(if_none_match_names("\"abc\"", tag));
  EXPECT_TRUE(if_none_match_names("W/\"abc\"", tag));
  EXPECT_TRUE(if_none_match_names("\"x\",\"abc\"", tag));
  EXPECT_TRUE(if_none_match_names("  \"x\" ,\t\"abc\"  ", tag));
  EXPECT_TRUE(if_none_match_names("*", tag));
  EXPECT_FALSE(if_none_match_names("", tag));
  EXPECT_FALSE(if_none_match_names(",", tag));
  EXPECT_FALSE(if_none_match_names("\"abcd\"", tag));
  EXPECT_FALSE(if_none_match_names("abc", tag)) << "a tag is compared with its quotes";
  EXPECT_FALSE(if_none_match_names("\"ab\", \"c\"", tag));
  EXPECT_FALSE(if_none_match_names("\"x\", *y", tag));
}
