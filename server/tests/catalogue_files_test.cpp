// The two catalogues that ship: the demo one must work offline against the stand-ins it was
// built with, and the production sample must import as it stands.
#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <map>
#include <nlohmann/json.hpp>
#include <sstream>

#include "catalogue/demo_catalogue.h"
#include "catalogue/entry_checks.h"
#include "catalogue/import_validator.h"
#include "cli/admin_commands.h"
#include "test_database.h"
#include "test_server.h"

using nlohmann::json;

namespace {

// The machine field of a PE file's COFF header: 0x14c for i386, 0x8664 for x86-64.
int pe_machine(const std::string& path) {
  std::string b = catalogue_test::read_text(path);
  if (b.size() < 0x40 || b[0] != 'M' || b[1] != 'Z') return -1;
  uint32_t pe = static_cast<uint8_t>(b[0x3c]) | static_cast<uint8_t>(b[0x3d]) << 8 | static_cast<uint8_t>(b[0x3e]) << 16;
  if (pe + 6 > b.size() || b.compare(pe, 4, std::string("PE\0\0", 4)) != 0) return -1;
  return static_cast<uint8_t>(b[pe + 4]) | static_cast<uint8_t>(b[pe + 5]) << 8;
}

std::string hosted_file(const std::string& url) {
  std::optional<std::string> rel = catalogue::hosted_relative_path(url);
  return rel ? std::string(DEMO_FILES_DIR) + "/" + *rel : std::string();
}

json imported_demo(const std::string& dir) {
  std::ostringstream out, err;
  std::string db = catalogue_test::new_test_database(dir);
  EXPECT_EQ(catalogue::import_catalogue_text(db, DEMO_FILES_DIR, catalogue::demo_catalogue_json(), out, err), 0)
      << err.str();
  std::ostringstream exported;
  catalogue::export_catalogue(db, exported, err);
  return json::parse(exported.str());
}

struct Installer {
  std::string key;
  std::string args;
};

std::map<std::string, Installer> installer_manifest() {
  std::map<std::string, Installer> m;
  std::ifstream in(std::string(STANDINS_DIR) + "/installers.tsv");
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::vector<std::string> f;
    std::stringstream s(line);
    std::string part;
    while (std::getline(s, part, '\t')) f.push_back(part);
    if (f.size() == 5) m["/files/" + f[0]] = Installer{f[1] + "\\" + f[2], f[4]};
  }
  return m;
}

}  // namespace

TEST(DemoCatalogue, EveryHostedAddressExistsAndEveryDigestIsFilledIn) {
  catalogue_test::TempDir temp;
  const std::string& dir = temp.path;
  json demo = imported_demo(dir);
  for (const char* link : {"kfUrl", "xyUrl", "secretUrl"})
    EXPECT_TRUE(std::ifstream(hosted_file(demo[link])).good()) << demo[link];
  std::map<int, int> per_type;
  for (const char* list : {"filesList", "runtime", "dx", "system"}) {
    ASSERT_FALSE(demo[list].empty()) << list;
    for (const json& e : demo[list]) {
      std::string file = hosted_file(e["downloadUrl"]);
      EXPECT_TRUE(std::ifstream(file).good()) << e["downloadUrl"];
      ASSERT_TRUE(e.contains("fileMd5")) << e.dump();
      EXPECT_TRUE(catalogue::is_md5_text(e["fileMd5"])) << e.dump();
      if (e.contains("imgUrl")) EXPECT_TRUE(std::ifstream(hosted_file(e["imgUrl"])).good()) << e["imgUrl"];
      if (e.contains("type")) ++per_type[e["type"].get<int>()];
    }
  }
  EXPECT_GT(per_type[0], 0);
  EXPECT_GT(per_type[1], 0);
  EXPECT_GT(per_type[2], 0);
}

TEST(DemoCatalogue, EachRuntimeEntryMatchesTheStandInBuiltForIt) {
  catalogue_test::TempDir temp;
  const std::string& dir = temp.path;
  json demo = imported_demo(dir);
  std::map<std::string, Installer> manifest = installer_manifest();
  int game_repair = 0;
  for (const json& e : demo["runtime"]) {
    auto it = manifest.find(e["downloadUrl"]);
    ASSERT_NE(it, manifest.end()) << e["downloadUrl"];
    EXPECT_EQ(e["regeditName"], it->second.key);
    EXPECT_EQ(e["silentParam"], it->second.args);
    // i686 as the vendors' are, or x86_64 where the host's Wine runs only 64-bit programs.
    const int machine = std::string(STANDIN_ARCH) == "x86_64" ? 0x8664 : 0x14c;
    EXPECT_EQ(pe_machine(hosted_file(e["downloadUrl"])), machine) << "installers built for " << STANDIN_ARCH;
    game_repair += e["gameRepair"] == 1 ? 1 : 0;
  }
  EXPECT_GE(game_repair, 2);
}

TEST(DemoCatalogue, DllBitnessFollowsSystemBit) {
  catalogue_test::TempDir temp;
  const std::string& dir = temp.path;
  json demo = imported_demo(dir);
  int seen[2] = {0, 0};
  for (const char* list : {"dx", "system"}) {
    for (const json& e : demo[list]) {
      bool native64 = e["systemBit"] == 1;
      EXPECT_EQ(pe_machine(hosted_file(e["downloadUrl"])), native64 ? 0x8664 : 0x14c) << e.dump();
      ++seen[native64 ? 1 : 0];
    }
  }
  EXPECT_GT(seen[0], 0);
  EXPECT_GT(seen[1], 0);
}

TEST(ProductionSample, ImportsAndMarksTheEntriesThatHaveNoDigest) {
  std::string text = catalogue_test::read_text(std::string(TEST_DATA_DIR) + "/../../catalogues/production-sample.json");
  catalogue::ImportResult r = catalogue::validate_import(text);
  ASSERT_TRUE(r.ok()) << r.errors[0];
  std::map<std::string, int> runtimes;
  for (const catalogue::Entry& e : r.catalogue.entries) {
    if (e.list == catalogue::ListKind::runtime) {
      ++runtimes[e.downloadUrl.substr(e.downloadUrl.size() - 7)];  // "x86.exe" / "x64.exe", any case
      EXPECT_EQ(e.regeditName.rfind("HKEY_LOCAL_MACHINE\\SOFTWARE\\", 0), 0u) << e.regeditName;
      EXPECT_FALSE(e.silentParam.empty());
    }
  }
  EXPECT_EQ(r.catalogue.entries.size() - 0, r.lines.size());
  catalogue_test::TempDir temp;
  const std::string& dir = temp.path;
  std::ostringstream out, err, listing;
  std::string db = catalogue_test::new_test_database(dir);
  ASSERT_EQ(catalogue::import_catalogue_text(db, dir + "/files", text, out, err), 0) << err.str();
  catalogue::list_catalogue(db, listing, err);
  EXPECT_NE(listing.str().find("(no digest)"), std::string::npos);

  // With the operator's copy of one installer in place, that entry gets its digest.
  catalogue_test::write_file(dir + "/files/vendor/vc2008/vcredist_x86.exe", "copy of the vendor's installer");
  ASSERT_EQ(catalogue::import_catalogue_text(db, dir + "/files", text, out, err), 0) << err.str();
  std::ostringstream exported;
  catalogue::export_catalogue(db, exported, err);
  json j = json::parse(exported.str());
  EXPECT_EQ(j["runtime"][2]["fileName"], "vcredist_x86.exe");
  EXPECT_TRUE(catalogue::is_md5_text(j["runtime"][2].value("fileMd5", ""))) << j["runtime"][2].dump();
  EXPECT_FALSE(j["runtime"][3].contains("fileMd5"));
}

// The v14 packages change under Microsoft's permalink while a digest stays fixed, so the sample
// hosts a copy per version; the version it names must be the one that copy installs, or the
// program would repair in a loop (too high) or accept an outdated package (too low).
TEST(ProductionSample, PinnedPackagesNameTheVersionOfTheirFolderAndX64OnesAreFor64BitWindows) {
  std::string text = catalogue_test::read_text(std::string(TEST_DATA_DIR) + "/../../catalogues/production-sample.json");
  catalogue::ImportResult r = catalogue::validate_import(text);
  ASSERT_TRUE(r.ok()) << r.errors[0];
  int pinned = 0;
  std::vector<std::string> hosted;
  for (const catalogue::Entry& e : r.catalogue.entries) {
    if (e.list != catalogue::ListKind::runtime) continue;
    std::optional<std::string> rel = catalogue::hosted_relative_path(e.downloadUrl);
    if (!e.minVersion.empty()) {
      ++pinned;
      ASSERT_TRUE(rel) << e.downloadUrl << " is not a fixed file";
      std::string folder = rel->substr(0, rel->rfind('/'));
      EXPECT_EQ(folder.substr(folder.rfind('/') + 1), e.minVersion) << e.downloadUrl;
    }
    if (rel) {
      hosted.push_back(*rel);
    } else {
      EXPECT_FALSE(e.md5From.empty()) << e.downloadUrl << ": a remote installer needs a copy to take its digest from";
      EXPECT_EQ(e.downloadUrl.rfind("https://", 0), 0u) << e.downloadUrl;
    }
    std::string lower = e.downloadUrl;
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    bool x64 = lower.size() > 7 && lower.compare(lower.size() - 7, 7, "x64.exe") == 0;
    EXPECT_EQ(e.systemBit, x64 ? std::optional<int32_t>(1) : std::nullopt) << e.downloadUrl;
  }
  EXPECT_EQ(pinned, 2);

  // Without the operator's copies the import says which file is missing for which entry.
  catalogue_test::TempDir temp;
  {
    std::ostringstream out, err;
    std::string db = catalogue_test::new_test_database(temp.path);
    ASSERT_EQ(catalogue::import_catalogue_text(db, temp.path + "/files", text, out, err), 0) << err.str();
    for (const std::string& rel : hosted)
      EXPECT_NE(out.str().find(": no file " + temp.path + "/files/" + rel + "; the entry has no digest"),
                std::string::npos)
          << out.str();
  }
  // With the copies in place, the import gives the pinned entries their digests and says nothing
  // of them.
  for (const std::string& rel : hosted) catalogue_test::write_file(temp.path + "/files/" + rel, "copy of " + rel);
  std::ostringstream out, err;
  std::string db = catalogue_test::new_test_database(temp.path);
  ASSERT_EQ(catalogue::import_catalogue_text(db, temp.path + "/files", text, out, err), 0) << err.str();
  std::ostringstream exported;
  ASSERT_EQ(catalogue::export_catalogue(db, exported, err), 0) << err.str();
  for (const std::string& rel : hosted) EXPECT_EQ(out.str().find(rel), std::string::npos) << out.str();
  int checked = 0;
  json stored = json::parse(exported.str());
  for (const json& e : stored["runtime"]) {
    if (!e.contains("minVersion")) continue;
    ++checked;
    EXPECT_TRUE(catalogue::is_md5_text(e.value("fileMd5", ""))) << e.dump();
  }
  EXPECT_EQ(checked, pinned);
}
