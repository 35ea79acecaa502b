// The seven endpoints as the program reads them.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <chrono>
#include <sstream>
#include <thread>

#include "cli/admin_commands.h"
#include "test_server.h"

using catalogue_test::TestServer;
using nlohmann::json;

namespace {

json body_of(const httplib::Result& r) {
  if (!r) return json();
  return json::parse(r->body, nullptr, false);
}

json entry_with_id(const json& list, int id) {
  for (const json& e : list)
    if (e["id"] == id) return e;
  return json();
}

}  // namespace

TEST(CatalogueApi, CommonFilesCarryLinksAndEveryEntryAsStored) {
  TestServer s;
  auto r = s.get("/api/dll/files/common?channelNum=tessa_01");
  ASSERT_TRUE(r);
  EXPECT_EQ(r->status, 200);
  json j = body_of(r);
  ASSERT_TRUE(j["code"].is_string());
  EXPECT_EQ(j["code"], "200");
  EXPECT_TRUE(j["msg"].is_string());
  const json& data = j["data"];
  EXPECT_EQ(data["kfUrl"], "https://support.example.com/kf");
  // Addresses on this server come back absolute, under the address the server answers on.
  EXPECT_EQ(data["xyUrl"], s.base() + "/files/pages/agreement.html");
  ASSERT_EQ(data["filesList"].size(), 2u);
  json first = data["filesList"][0];
  EXPECT_EQ(first["id"], 1);
  EXPECT_EQ(first["status"], 1);
  EXPECT_EQ(first["type"], 0);
  EXPECT_EQ(first["downloadUrl"], s.base() + "/files/bin/setup.exe");
  EXPECT_EQ(first["imgUrl"], s.base() + "/files/img/1.png");
  EXPECT_EQ(first["fileName"], "运行库合集");
  EXPECT_EQ(first["memo"], "常用运行库");
  EXPECT_TRUE(first["fileMd5"].is_string());
  // A switched-off entry is still sent; filtering by status is the program's job.
  json off = data["filesList"][1];
  EXPECT_EQ(off["status"], 0);
  EXPECT_EQ(off["downloadUrl"], "https://download.example.com/ndp48.exe");
}

TEST(CatalogueApi, RuntimeEntriesOmitOnlyTheOptionalKeysTheyLack) {
  TestServer s;
  json j = body_of(s.get("/api/dll/files/runtime"));
  ASSERT_EQ(j["code"], "200");
  ASSERT_TRUE(j["data"].is_array());
  json hosted = entry_with_id(j["data"], 10);
  EXPECT_EQ(hosted["regeditName"], "HKEY_LOCAL_MACHINE\\SOFTWARE\\Demo\\Runtime");
  EXPECT_EQ(hosted["silentParam"], "/q");
  EXPECT_EQ(hosted["gameRepair"], 1);
  EXPECT_EQ(hosted["fileName"], "vcredist_x86.exe");
  // Its digest was computed from the hosted copy at import.
  ASSERT_TRUE(hosted["fileMd5"].is_string());
  EXPECT_EQ(hosted["fileMd5"].get<std::string>().size(), 32u);
  json remote = entry_with_id(j["data"], 11);
  EXPECT_FALSE(remote.contains("fileMd5"));
  EXPECT_FALSE(remote.contains("silentParam"));
  EXPECT_EQ(remote["gameRepair"], 0);
}

TEST(CatalogueApi, DirectXAndSystemEntriesHaveTheirShapes) {
  TestServer s;
  json dx = body_of(s.get("/api/dll/files/dx"));
  ASSERT_EQ(dx["code"], "200");
  json d = dx["data"][0];
  EXPECT_EQ(d["systemBit"], 1);
  EXPECT_EQ(d["filePath"], "C:\\Windows\\System32\\d3dx9_43.dll");
  EXPECT_TRUE(d["fileMd5"].is_string());
  EXPECT_FALSE(d.contains("isKey"));
  json sys = body_of(s.get("/api/dll/files/system"));
  ASSERT_EQ(sys["code"], "200");
  EXPECT_TRUE(sys["data"][0]["isKey"].is_boolean());
  EXPECT_EQ(sys["data"][0]["isKey"], true);
  EXPECT_EQ(sys["data"][0]["systemBit"], 0);
}

TEST(CatalogueApi, RepliesFollowChangesMadeByTheAdminCommands) {
  TestServer s;
  EXPECT_EQ(entry_with_id(body_of(s.get("/api/dll/files/runtime"))["data"], 10)["status"], 1);
  std::ostringstream out, err;
  ASSERT_EQ(catalogue::set_entry_status(s.db_path(), "runtime", "10", "0", out, err), 0) << err.str();
  // The change comes in with the next poll of the catalogue version (100 ms for the tests).
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(3);
  json status;
  while ((status = entry_with_id(body_of(s.get("/api/dll/files/runtime"))["data"], 10)["status"]) != 0 &&
         std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  EXPECT_EQ(status, 0);
}

TEST(CatalogueApi, UnknownPathsAndMethodsGetAnEnvelopeThatIsNotSuccess) {
  TestServer s;
  for (const char* path : {"/", "/api/dll/files", "/api/dll/files/runtime/", "/api/dll/files/other", "/files/"}) {
    auto r = s.get(path);
    ASSERT_TRUE(r) << path;
    EXPECT_EQ(r->status, 404) << path;
    json j = body_of(r);
    EXPECT_EQ(j["code"], "404") << path;
  }
  auto r = s.client().Post("/api/dll/files/runtime", "x", "text/plain");
  ASSERT_TRUE(r);
  EXPECT_GE(r->status, 400);
  EXPECT_LT(r->status, 500);
}

TEST(CatalogueApi, AnEmptyDatabaseServesEmptyListsNotErrors) {
  TestServer s(R"({"kfUrl":"","xyUrl":"","secretUrl":""})");
  json j = body_of(s.get("/api/dll/files/common?channelNum=a"));
  EXPECT_EQ(j["code"], "200");
  EXPECT_TRUE(j["data"]["filesList"].empty());
  EXPECT_TRUE(body_of(s.get("/api/dll/files/dx"))["data"].is_array());
}
