// The admin import: what it accepts, how it reports what it refuses, and that a refusal changes nothing.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>
#include <thread>
#include <vector>

#include "catalogue/import_validator.h"
#include "cli/admin_commands.h"
#include "test_server.h"

using catalogue::validate_import;
using nlohmann::json;

namespace {

std::string with_runtime_entry(const std::string& entry) {
  return "{\n  \"kfUrl\": \"\", \"xyUrl\": \"\", \"secretUrl\": \"\",\n  \"runtime\": [\n" + entry + "\n  ]\n}\n";
}

const char* good_runtime =
    R"(    {"status": 1, "id": 3, "downloadUrl": "https://x.example/vc.exe", "fileName": "vc.exe",
     "regeditName": "HKEY_LOCAL_MACHINE\\SOFTWARE\\X", "gameRepair": 0})";

std::string first_error(const std::string& text) {
  catalogue::ImportResult r = validate_import(text);
  return r.errors.empty() ? std::string() : r.errors[0];
}

}  // namespace

TEST(ImportValidation, AcceptsTheTestCatalogue) {
  catalogue::ImportResult r = validate_import(catalogue_test::small_catalogue_text());
  ASSERT_TRUE(r.ok()) << r.errors[0];
  EXPECT_EQ(r.catalogue.entries.size(), 6u);
  EXPECT_EQ(r.catalogue.links.kfUrl, "https://support.example.com/kf");
}

TEST(ImportValidation, NamesTheLineOfTheOffendingEntry) {
  std::string text = with_runtime_entry(std::string(good_runtime) + ",\n    {\"status\": 1, \"id\": 4}");
  std::string error = first_error(text);
  EXPECT_EQ(error.rfind("line 6: runtime[1]: missing \"downloadUrl\"", 0), 0u) << error;
}

TEST(ImportValidation, RefusesWrongTypesAndUnknownKeys) {
  struct Case {
    const char* entry;
    const char* reason;
  } cases[] = {
      {R"({"status": "1", "id": 3, "downloadUrl": "https://x/a.exe", "fileName": "a", "regeditName": "HKLM\\A", "gameRepair": 0})",
       "\"status\" must be a 32-bit integer"},
      {R"({"status": 1, "id": 3.5, "downloadUrl": "https://x/a.exe", "fileName": "a", "regeditName": "HKLM\\A", "gameRepair": 0})",
       "\"id\" must be a 32-bit integer"},
      {R"({"status": 1, "id": 4294967296, "downloadUrl": "https://x/a.exe", "fileName": "a", "regeditName": "HKLM\\A", "gameRepair": 0})",
       "\"id\" must be a 32-bit integer"},
      {R"({"status": 1, "id": 3, "downloadUrl": "https://x/a.exe", "fileName": "a", "regeditName": "HKLM\\A", "gameRepair": "1"})",
       "\"gameRepair\" must be a 32-bit integer"},
      {R"({"status": 1, "id": 3, "downloadUrl": "https://x/a.exe", "fileName": "a", "regeditName": "HKLM\\A", "gameRepair": 0, "silentParm": "/q"})",
       "unknown key \"silentParm\""},
      {R"({"status": 1, "id": 3, "downloadUrl": "https://x/a.exe", "fileName": "a", "regeditName": "NoRoot", "gameRepair": 0})",
       "\"regeditName\" must be a root key"},
      {R"({"status": 1, "id": 3, "downloadUrl": "ftp://x/a.exe", "fileName": "a", "regeditName": "HKLM\\A", "gameRepair": 0})",
       "\"downloadUrl\" must start with"},
      {R"({"status": 1, "id": 3, "downloadUrl": "/files/../db", "fileName": "a", "regeditName": "HKLM\\A", "gameRepair": 0})",
       "\"downloadUrl\" climbs out"},
      {R"({"status": 1, "id": 3, "downloadUrl": "https://x/a b.exe", "fileName": "a", "regeditName": "HKLM\\A", "gameRepair": 0})",
       "\"downloadUrl\" must not contain spaces"},
      {R"({"status": 1, "id": 3, "downloadUrl": "https://x/a.exe", "fileName": "a", "regeditName": "HKLM\\A", "gameRepair": 0, "fileMd5": "abc"})",
       "\"fileMd5\" must be 32 hexadecimal digits"},
      {R"([1, 2])", "an entry must be an object"},
  };
  for (const Case& c : cases) {
    std::string error = first_error(with_runtime_entry(c.entry));
    EXPECT_NE(error.find(c.reason), std::string::npos) << c.entry << "\n -> " << error;
    EXPECT_EQ(error.rfind("line 4: runtime[0]: ", 0), 0u) << error;
  }
}

// The shapes the program leaves out of its lists are refused here already, with the reason.
TEST(ImportValidation, RefusesWhatTheProgramWouldLeaveOut) {
  struct Case {
    const char* list;
    const char* entry;
    const char* reason;
  } cases[] = {
      {"runtime", R"({"status": 1, "id": 3, "downloadUrl": "https://x/setup.bat", "fileName": "a", "regeditName": "HKLM\\A", "gameRepair": 0})",
       "must end in a plain file name ending \".exe\""},
      {"runtime", R"({"status": 1, "id": 3, "downloadUrl": "https://x/", "fileName": "a", "regeditName": "HKLM\\A", "gameRepair": 0})",
       "must end in a plain file name ending \".exe\""},
      {"runtime", R"({"status": 1, "id": 3, "downloadUrl": "https://x/a.exe", "fileName": "a", "regeditName": "HKLM\\A", "gameRepair": 0, "silentParam": "/q & calc.exe"})",
       "\"silentParam\" may hold only"},
      {"runtime", R"({"status": 1, "id": 3, "downloadUrl": "https://x/a.exe", "fileName": "a", "regeditName": "HKLM\\A", "gameRepair": 0, "silentParam": "/q \"x\""})",
       "\"silentParam\" may hold only"},
      {"dx", R"({"status": 1, "id": 3, "systemBit": 0, "downloadUrl": "https://x/a.dll", "fileName": "a.dll", "fileMd5": "", "filePath": "C:\\Program Files\\a.dll"})",
       "\"filePath\" must be"},
      {"dx", R"({"status": 1, "id": 3, "systemBit": 1, "downloadUrl": "https://x/a.dll", "fileName": "..\\..\\evil2.dll", "fileMd5": "", "filePath": "C:\\Windows\\System32\\..\\..\\evil2.dll"})",
       "\"filePath\" must be"},
      {"system", R"({"status": 1, "id": 3, "systemBit": 0, "downloadUrl": "https://x/a.dll", "fileName": "a.dll", "fileMd5": "", "filePath": "\\\\server\\share\\a.dll", "isKey": true})",
       "\"filePath\" must be"},
      {"dx", R"({"status": 1, "id": 3, "systemBit": 0, "downloadUrl": "https://x/a.dll", "fileName": "other.dll", "fileMd5": "", "filePath": "C:\\Windows\\System32\\a.dll"})",
       "\"filePath\" must be"},
      // Switches of the right characters that are no silent install: IExpress's command, a log
      // file anywhere, an uninstall.
      {"runtime", R"({"status": 1, "id": 3, "downloadUrl": "https://x/a.exe", "fileName": "a", "regeditName": "HKLM\\A", "gameRepair": 0, "silentParam": "/q:a /c:msiexec"})",
       "\"silentParam\" may hold only these switches"},
      {"runtime", R"({"status": 1, "id": 3, "downloadUrl": "https://x/a.exe", "fileName": "a", "regeditName": "HKLM\\A", "gameRepair": 0, "silentParam": "/quiet /log C:\\x"})",
       "\"silentParam\" may hold only these switches"},
      {"runtime", R"({"status": 1, "id": 3, "downloadUrl": "https://x/a.exe", "fileName": "a", "regeditName": "HKLM\\A", "gameRepair": 0, "silentParam": "/uninstall /quiet"})",
       "\"silentParam\" may hold only these switches"},
  };
  for (const Case& c : cases) {
    std::string text = std::string("{\n  \"kfUrl\": \"\", \"xyUrl\": \"\", \"secretUrl\": \"\",\n  \"") + c.list +
                       "\": [\n" + c.entry + "\n  ]\n}\n";
    std::string error = first_error(text);
    EXPECT_NE(error.find(c.reason), std::string::npos) << c.entry << "\n -> " << error;
    EXPECT_EQ(error.rfind(std::string("line 4: ") + c.list + "[0]: ", 0), 0u) << error;
  }
  // The shapes of a well-formed catalogue pass: upper-case ".EXE", SysWOW64, plain switches.
  EXPECT_EQ(first_error(with_runtime_entry(
                R"({"status": 1, "id": 3, "downloadUrl": "https://x/VCREDIST_X86.EXE", "fileName": "a", "regeditName": "HKLM\\A", "gameRepair": 0, "silentParam": "/install /quiet /norestart"})")),
            "");
}

TEST(ImportValidation, RefusesDuplicateIdsButNotTheSameIdInAnotherList) {
  std::string text = with_runtime_entry(std::string(good_runtime) + ",\n" + good_runtime);
  EXPECT_NE(first_error(text).find("id 3 is used twice"), std::string::npos);
  json two_lists = json::parse(with_runtime_entry(good_runtime));
  two_lists["dx"] = json::array({{{"status", 1}, {"id", 3}, {"systemBit", 0}, {"downloadUrl", "/files/a.dll"},
                                  {"fileName", "a.dll"}, {"fileMd5", ""}, {"filePath", "C:\\Windows\\System32\\a.dll"}}});
  EXPECT_TRUE(validate_import(two_lists.dump()).ok());
}

TEST(ImportValidation, ReportsBrokenJsonAndBadTopLevelsWithALine) {
  EXPECT_NE(first_error("{\n\"kfUrl\": \"\",\n\"runtime\": [ {\"id\": 1,, } ]\n}").find("line 3"), std::string::npos);
  EXPECT_NE(first_error("[]").find("one JSON object"), std::string::npos);
  EXPECT_NE(first_error(R"({"kfUrl":"","xyUrl":"","secretUrl":"","runtimes":[]})").find("unknown key \"runtimes\""),
            std::string::npos);
  EXPECT_NE(first_error(R"({"kfUrl":"","xyUrl":"","secretUrl":"","dx":{}})").find("\"dx\" must be an array"),
            std::string::npos);
  EXPECT_NE(first_error("{\"kfUrl\":\"\xff\"}").find("line 1"), std::string::npos);
}

TEST(ImportCommand, ARefusedFileLeavesTheStoredCatalogueAlone) {
  catalogue_test::TestServer s;
  std::string before = s.export_text();
  std::ostringstream out, err;
  std::string bad = with_runtime_entry(std::string(good_runtime) + ",\n    {\"status\": 1}");
  EXPECT_EQ(catalogue::import_catalogue_text(s.db_path(), s.files_dir(), bad, out, err), 1);
  EXPECT_NE(err.str().find("unchanged"), std::string::npos);
  EXPECT_EQ(s.export_text(), before);
}

TEST(ImportCommand, ADigestThatContradictsTheHostedFileIsRefused) {
  catalogue_test::TestServer s;
  std::string before = s.export_text();
  json j = json::parse(catalogue_test::small_catalogue_text());
  j["runtime"][0]["fileMd5"] = "00000000000000000000000000000000";
  std::ostringstream out, err;
  EXPECT_EQ(catalogue::import_catalogue_text(s.db_path(), s.files_dir(), j.dump(), out, err), 1);
  EXPECT_NE(err.str().find("does not match the hosted file"), std::string::npos) << err.str();
  EXPECT_EQ(s.export_text(), before);
}

TEST(ImportCommand, ExportImportsBackToTheSameCatalogue) {
  catalogue_test::TestServer s;
  std::string exported = s.export_text();
  std::ostringstream out, err;
  ASSERT_EQ(catalogue::import_catalogue_text(s.db_path(), s.files_dir(), exported, out, err), 0) << err.str();
  EXPECT_EQ(s.export_text(), exported);
  json j = json::parse(exported);
  EXPECT_EQ(j["runtime"][0]["downloadUrl"], "/files/bin/setup.exe");  // stored relative, not resolved
}

TEST(ImportCommand, ListMarksEntriesWithoutADigest) {
  catalogue_test::TestServer s;
  std::ostringstream out, err;
  ASSERT_EQ(catalogue::list_catalogue(s.db_path(), out, err), 0);
  std::string listing = out.str();
  // runtime 11 is remote and came without a digest; runtime 10 got one from its hosted file.
  size_t line11 = listing.find("runtime 11");
  ASSERT_NE(line11, std::string::npos) << listing;
  EXPECT_NE(listing.substr(line11, listing.find('\n', line11) - line11).find("(no digest)"), std::string::npos);
  size_t line10 = listing.find("runtime 10");
  EXPECT_EQ(listing.substr(line10, listing.find('\n', line10) - line10).find("(no digest)"), std::string::npos);
}

TEST(StatusCommand, SwitchesOneEntryAndRefusesUnknownOnes) {
  catalogue_test::TestServer s;
  std::ostringstream out, err;
  EXPECT_EQ(catalogue::set_entry_status(s.db_path(), "dx", "20", "0", out, err), 0);
  EXPECT_EQ(json::parse(s.export_text())["dx"][0]["status"], 0);
  std::string before = s.export_text();
  EXPECT_EQ(catalogue::set_entry_status(s.db_path(), "dx", "21", "0", out, err), 1);
  EXPECT_EQ(catalogue::set_entry_status(s.db_path(), "nolist", "20", "0", out, err), 1);
  EXPECT_EQ(catalogue::set_entry_status(s.db_path(), "dx", "20x", "0", out, err), 1);
  EXPECT_EQ(s.export_text(), before);
}

TEST(ImportCommand, TwoImportsAtOnceBothSucceedOneAfterTheOther) {
  catalogue_test::TestServer s;
  json other = json::parse(catalogue_test::small_catalogue_text());
  other["runtime"][0]["fileName"] = "other.exe";
  std::string texts[2] = {catalogue_test::small_catalogue_text(), other.dump()};
  for (int round = 0; round < 3; ++round) {
    int results[2] = {-1, -1};
    std::string errors[2];
    std::vector<std::thread> imports;
    for (int i = 0; i < 2; ++i) {
      imports.emplace_back([&, i] {
        std::ostringstream out, err;
        results[i] = catalogue::import_catalogue_text(s.db_path(), s.files_dir(), texts[i], out, err);
        errors[i] = err.str();
      });
    }
    for (std::thread& t : imports) t.join();
    EXPECT_EQ(results[0], 0) << errors[0];
    EXPECT_EQ(results[1], 0) << errors[1];
    json stored = json::parse(s.export_text());
    EXPECT_EQ(stored["runtime"].size(), 2u) << "one whole catalogue, not a mix of both";
  }
}
