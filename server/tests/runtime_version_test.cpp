// A runtime entry's least installed version ("minVersion") and bitness ("systemBit"): what the
// import accepts and refuses, and that both survive the store, the export and the reply exactly
// where they were given and nowhere else.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "catalogue/entry_checks.h"
#include "catalogue/import_validator.h"
#include "cli/admin_commands.h"
#include "test_server.h"

using nlohmann::json;

namespace {

std::string runtime_catalogue(const std::string& extra_members) {
  return "{\n  \"kfUrl\": \"\", \"xyUrl\": \"\", \"secretUrl\": \"\",\n  \"runtime\": [\n"
         "    {\"status\": 1, \"id\": 3, \"downloadUrl\": \"https://x.example/vc.exe\", \"fileName\": \"vc.exe\",\n"
         "     \"regeditName\": \"HKEY_LOCAL_MACHINE\\\\SOFTWARE\\\\X\", \"gameRepair\": 0" +
         extra_members + "}\n  ]\n}\n";
}

std::vector<std::string> errors_of(const std::string& text) { return catalogue::validate_import(text).errors; }

json entry_with_id(const json& list, int id) {
  for (const json& e : list)
    if (e["id"] == id) return e;
  return json();
}

// Three runtime entries: both members, only a bitness of 0, neither.
const char* three_runtimes = R"({"kfUrl": "", "xyUrl": "", "secretUrl": "",
  "runtime": [
    {"status": 1, "id": 1, "downloadUrl": "https://x.example/vc_redist.x64.exe", "fileName": "vc_redist.x64.exe",
     "regeditName": "HKEY_LOCAL_MACHINE\\SOFTWARE\\V\\x64", "gameRepair": 1, "minVersion": "14.40.33816", "systemBit": 1},
    {"status": 1, "id": 2, "downloadUrl": "https://x.example/vc_redist.x86.exe", "fileName": "vc_redist.x86.exe",
     "regeditName": "HKEY_LOCAL_MACHINE\\SOFTWARE\\V\\x86", "gameRepair": 0, "systemBit": 0},
    {"status": 1, "id": 3, "downloadUrl": "https://x.example/vcredist_x86.exe", "fileName": "vcredist_x86.exe",
     "regeditName": "HKEY_LOCAL_MACHINE\\SOFTWARE\\V\\old", "gameRepair": 0}
  ],
  "dx": [
    {"status": 1, "id": 20, "systemBit": 0, "downloadUrl": "https://x.example/d3dx9_43.dll", "fileName": "d3dx9_43.dll",
     "fileMd5": "", "filePath": "C:\\Windows\\System32\\d3dx9_43.dll"}
  ]})";

}  // namespace

TEST(RuntimeVersionText, AcceptsThreeDecimalPartsWithinTheirLimits) {
  for (const char* good : {"14.40.33816", "0.0.0", "12.0.40664", "65535.65535.4294967295", "014.040.033816"})
    EXPECT_TRUE(catalogue::is_version_text(good)) << good;
  for (const char* bad : {"", "14", "14.40", "14.40.33816.0", "14.40.", ".40.33816", "14..33816", "14.40.x",
                          "v14.40.33816", "14.40.33816 ", " 14.40.33816", "+14.40.33816", "-1.0.0", "14,40,33816",
                          "65536.0.0", "0.65536.0", "0.0.4294967296", "99999999999999999999.0.0",
                          "0.0.00000000000000000001", "14.40.3381６"})
    EXPECT_FALSE(catalogue::is_version_text(bad)) << bad;
}

TEST(RuntimeVersionImport, RefusesWhatIsNotAVersionOrABitnessWithLineAndReason) {
  struct Case {
    const char* members;
    const char* reason;
  } cases[] = {
      {R"(, "minVersion": "14.40")", "\"minVersion\" must be major.minor.build"},
      {R"(, "minVersion": "14.40.33816.0")", "\"minVersion\" must be major.minor.build"},
      {R"(, "minVersion": "65536.0.0")", "\"minVersion\" must be major.minor.build"},
      {R"(, "minVersion": "1.2.4294967296")", "\"minVersion\" must be major.minor.build"},
      {R"(, "minVersion": "")", "\"minVersion\" must be major.minor.build"},
      {R"(, "minVersion": 14)", "\"minVersion\" must be a string"},
      {R"(, "systemBit": 2)", "\"systemBit\" must be 0 or 1"},
      {R"(, "systemBit": -1)", "\"systemBit\" must be 0 or 1"},
      {R"(, "systemBit": "1")", "\"systemBit\" must be a 32-bit integer"},
      {R"(, "systemBit": true)", "\"systemBit\" must be a 32-bit integer"},
      {R"(, "systemBit": 1.0)", "\"systemBit\" must be a 32-bit integer"},
      {R"(, "systembit": 1)", "unknown key \"systembit\""},
  };
  for (const Case& c : cases) {
    std::vector<std::string> errors = errors_of(runtime_catalogue(c.members));
    ASSERT_EQ(errors.size(), 1u) << c.members;
    EXPECT_EQ(errors[0].rfind("line 4: runtime[0]: ", 0), 0u) << errors[0];
    EXPECT_NE(errors[0].find(c.reason), std::string::npos) << c.members << "\n -> " << errors[0];
  }
  EXPECT_TRUE(errors_of(runtime_catalogue(R"(, "minVersion": "12.0.40664", "systemBit": 1)")).empty());
  EXPECT_TRUE(errors_of(runtime_catalogue(R"(, "systemBit": 0)")).empty());
}

TEST(RuntimeVersionImport, TheOtherListsKeepTheirShapes) {
  // The DirectX and system lists have always carried a bitness; it is held to 0 or 1 there too,
  // and a version is no member of theirs.
  json j = json::parse(three_runtimes);
  j["dx"][0]["systemBit"] = 2;
  std::vector<std::string> errors = errors_of(j.dump());
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_NE(errors[0].find("dx[0]: \"systemBit\" must be 0 or 1"), std::string::npos) << errors[0];
  j = json::parse(three_runtimes);
  j["dx"][0]["minVersion"] = "9.0.0";
  errors = errors_of(j.dump());
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_NE(errors[0].find("dx[0]: unknown key \"minVersion\""), std::string::npos) << errors[0];
  j = json::parse(three_runtimes);
  j["dx"][0].erase("systemBit");
  errors = errors_of(j.dump());
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_NE(errors[0].find("missing \"systemBit\""), std::string::npos) << errors[0];
}

// Through the store (SQLite or PostgreSQL, as the suite runs), the export and the served reply.
TEST(RuntimeVersionStore, MembersAreKeptExactlyWhereGiven) {
  catalogue_test::TestServer s(three_runtimes);
  json exported = json::parse(s.export_text());
  const json& rt = exported["runtime"];
  ASSERT_EQ(rt.size(), 3u);
  EXPECT_EQ(rt[0]["minVersion"], "14.40.33816");
  EXPECT_EQ(rt[0]["systemBit"], 1);
  EXPECT_FALSE(rt[1].contains("minVersion"));
  ASSERT_TRUE(rt[1].contains("systemBit")) << "0 given is not the same as none given";
  EXPECT_EQ(rt[1]["systemBit"], 0);
  EXPECT_FALSE(rt[2].contains("minVersion"));
  EXPECT_FALSE(rt[2].contains("systemBit"));
  EXPECT_EQ(exported["dx"][0]["systemBit"], 0);

  auto r = s.get("/api/dll/files/runtime");
  ASSERT_TRUE(r);
  json served = json::parse(r->body)["data"];
  EXPECT_EQ(entry_with_id(served, 1)["minVersion"], "14.40.33816");
  EXPECT_EQ(entry_with_id(served, 1)["systemBit"], 1);
  EXPECT_EQ(entry_with_id(served, 2)["systemBit"], 0);
  EXPECT_FALSE(entry_with_id(served, 2).contains("minVersion"));
  json plain = entry_with_id(served, 3);
  EXPECT_FALSE(plain.contains("minVersion"));
  EXPECT_FALSE(plain.contains("systemBit"));
  EXPECT_EQ(plain.size(), 6u) << plain.dump();  // the members every runtime entry had before

  // The export imports back to the same catalogue.
  std::ostringstream out, err;
  ASSERT_EQ(catalogue::import_catalogue_text(s.db_path(), s.files_dir(), exported.dump(), out, err), 0) << err.str();
  EXPECT_EQ(json::parse(s.export_text()), exported);
}

TEST(RuntimeVersionStore, AReimportWithoutTheMembersTakesThemAway) {
  catalogue_test::TestServer s(three_runtimes);
  json j = json::parse(three_runtimes);
  j["runtime"][0].erase("minVersion");
  j["runtime"][0].erase("systemBit");
  std::ostringstream out, err;
  ASSERT_EQ(catalogue::import_catalogue_text(s.db_path(), s.files_dir(), j.dump(), out, err), 0) << err.str();
  json first = json::parse(s.export_text())["runtime"][0];
  EXPECT_FALSE(first.contains("minVersion")) << first.dump();
  EXPECT_FALSE(first.contains("systemBit")) << first.dump();
}
