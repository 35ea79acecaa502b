// The operator's signed catalogue on the server's side: the key, the signing, the import that
// checks the signature, and the document served beside the lists.
#include <gtest/gtest.h>

#include <chrono>
#include <ctime>
#include <sstream>
#include <thread>

#include <nlohmann/json.hpp>

#include "cli/admin_commands.h"
#include "catalogue/import_validator.h"
#include "cli/signing_commands.h"
#include "signing/signed_catalogue.h"
#include "test_server.h"
#include "util/digests.h"

using nlohmann::json;

namespace {

using catalogue_test::eventually;

// The small test catalogue with every file that is not hosted described, as an operator gives
// it (the remote ones, and the test server's files it does not have).
std::string signable_catalogue(const std::string& files_dir) {
  json j = json::parse(catalogue_test::small_catalogue_text());
  for (const char* list : {"filesList", "runtime", "dx", "system"}) {
    for (json& e : j[list]) {
      const std::string url = e["downloadUrl"].get<std::string>();
      if (url.rfind("/files/", 0) == 0 && !catalogue_test::read_text(files_dir + url.substr(6)).empty()) continue;
      e["fileSha256"] = std::string(64, url.rfind("https://", 0) == 0 ? 'b' : 'e');
      e["fileSize"] = 4321;
    }
  }
  return j.dump(2);
}

struct Signing : ::testing::Test {
  void SetUp() override {
    std::ostringstream out, err;
    ASSERT_EQ(catalogue::make_catalogue_key(dir.path + "/first.pem", out, err), 0) << err.str();
    ASSERT_EQ(catalogue::make_catalogue_key(dir.path + "/second.pem", out, err), 0) << err.str();
    std::string error;
    ASSERT_TRUE(catalogue::load_signing_key(dir.path + "/first.pem", first, error)) << error;
    ASSERT_TRUE(catalogue::load_signing_key(dir.path + "/second.pem", second, error)) << error;
  }
  catalogue::SignRequest request(int64_t version, const std::string& base) const {
    catalogue::SignRequest r;
    r.key_paths = {dir.path + "/first.pem"};
    r.version = version;
    r.expires = static_cast<int64_t>(std::time(nullptr)) + 3600;
    r.public_base = base;
    r.files_dir = server.files_dir();
    return r;
  }
  std::string sign(int64_t version, std::ostream& err) const {
    return catalogue::sign_catalogue_text(signable_catalogue(server.files_dir()), request(version, server.base()), err);
  }
  int import(const std::string& document, const std::vector<std::string>& keys, std::string* errors = nullptr,
             bool allow_older = false) {
    std::ostringstream out, err;
    int rc = catalogue::import_signed_document(server.db_path(), document, keys, allow_older, out, err);
    if (errors) *errors = err.str();
    return rc;
  }
  std::string served() const {
    auto r = server.get("/api/dll/files/signed");
    return r && r->status == 200 ? r->body : std::string();
  }

  catalogue_test::TempDir dir;
  catalogue_test::TestServer server;
  catalogue::SigningKey first, second;
};

TEST_F(Signing, KeygenMakesAKeyOnceAndNeverOverwritesIt) {
  EXPECT_EQ(first.public_hex.size(), 64u);
  EXPECT_NE(first.public_hex, second.public_hex);
  std::ostringstream out, err;
  EXPECT_EQ(catalogue::make_catalogue_key(dir.path + "/first.pem", out, err), 1);
  catalogue::SigningKey again;
  std::string error;
  ASSERT_TRUE(catalogue::load_signing_key(dir.path + "/first.pem", again, error));
  EXPECT_EQ(again.public_hex, first.public_hex);
}

TEST_F(Signing, TheDocumentCarriesEveryEntryWithAbsoluteAddressesDigestsAndSizes) {
  std::ostringstream err;
  const std::string document = sign(5, err);
  ASSERT_FALSE(document.empty()) << err.str();
  std::string payload, error;
  ASSERT_TRUE(catalogue::open_signed_document(document, {first.public_hex}, payload, error)) << error;
  json p = json::parse(payload);
  EXPECT_EQ(p["format"], "tessavane-catalogue");
  EXPECT_EQ(p["version"], 5);
  const json& hosted = p["runtime"][0];
  EXPECT_EQ(hosted["downloadUrl"], server.base() + "/files/bin/setup.exe");
  int64_t size = 0;
  EXPECT_EQ(hosted["fileSha256"], catalogue::sha256_of_file(server.files_dir() + "/bin/setup.exe", size));
  EXPECT_EQ(hosted["fileSize"], size);
  EXPECT_EQ(hosted["fileMd5"], catalogue::md5_of_file(server.files_dir() + "/bin/setup.exe"));
  EXPECT_EQ(p["runtime"][1]["fileSha256"], std::string(64, 'b'));
  EXPECT_FALSE(p["runtime"][0].contains("md5From"));
  // Every list and every entry, the hidden ones too (status says what is shown, not what may be used).
  EXPECT_EQ(p["filesList"].size(), 2u);
}

TEST_F(Signing, SigningRefusesWhatTheProgramCouldNotCheck) {
  std::ostringstream err;
  // The remote entry without its SHA-256 and size.
  catalogue::SignRequest r = request(1, server.base());
  EXPECT_EQ(catalogue::sign_catalogue_text(catalogue_test::small_catalogue_text(), r, err), "");
  EXPECT_NE(err.str().find("give \"fileSha256\" and \"fileSize\""), std::string::npos) << err.str();
  // Hosted files but no address to make theirs absolute with.
  err.str("");
  EXPECT_EQ(catalogue::sign_catalogue_text(signable_catalogue(server.files_dir()), request(1, ""), err), "");
  EXPECT_NE(err.str().find("--public-url"), std::string::npos) << err.str();
  err.str("");
  r = request(1, server.base());
  r.expires = static_cast<int64_t>(std::time(nullptr)) - 1;
  EXPECT_EQ(catalogue::sign_catalogue_text(signable_catalogue(server.files_dir()), r, err), "");
  err.str("");
  r = request(0, server.base());
  EXPECT_EQ(catalogue::sign_catalogue_text(signable_catalogue(server.files_dir()), r, err), "");
  // A switch outside the vocabulary, signed or not, is an operator's mistake caught here.
  json j = json::parse(signable_catalogue(server.files_dir()));
  j["runtime"][0]["silentParam"] = "/uninstall /quiet";
  err.str("");
  EXPECT_EQ(catalogue::sign_catalogue_text(j.dump(), request(1, server.base()), err), "");
  EXPECT_NE(err.str().find("silentParam"), std::string::npos) << err.str();
}

TEST_F(Signing, AnImportedDocumentIsServedVerbatimAndStatusChangesNeedNoNewSignature) {
  std::ostringstream err;
  const std::string document = sign(3, err);
  std::string errors;
  ASSERT_EQ(import(document, {first.public_hex}, &errors), 0) << errors;
  ASSERT_TRUE(eventually([&] { return served() == document; }));
  auto r = server.get("/api/dll/files/signed");
  ASSERT_TRUE(r);
  const std::string etag = r->get_header_value("ETag");
  EXPECT_FALSE(etag.empty());
  EXPECT_EQ(r->get_header_value("Cache-Control"), "public, max-age=1");
  auto again = server.get("/api/dll/files/signed", {{"If-None-Match", etag}});
  ASSERT_TRUE(again);
  EXPECT_EQ(again->status, 304);
  // The lists come from the same payload: an entry's address as the document has it.
  auto runtime = server.get("/api/dll/files/runtime");
  ASSERT_TRUE(runtime);
  EXPECT_EQ(json::parse(runtime->body)["data"][0]["downloadUrl"], server.base() + "/files/bin/setup.exe");

  std::ostringstream out;
  ASSERT_EQ(catalogue::set_entry_status(server.db_path(), "runtime", "10", "0", out, err), 0);
  ASSERT_TRUE(eventually([&] {
    auto list = server.get("/api/dll/files/runtime");
    return list && json::parse(list->body)["data"][0]["status"] == 0;
  }));
  EXPECT_EQ(served(), document);
}

TEST_F(Signing, TheImportRefusesDocumentsItCannotTrustAndChangesNothing) {
  std::ostringstream err;
  const std::string document = sign(4, err);
  ASSERT_EQ(import(document, {first.public_hex}), 0);
  const std::string before = server.export_text();
  std::string errors;

  // Changed after signing: one digest in the payload.
  json d = json::parse(document);
  std::string payload, error;
  ASSERT_TRUE(catalogue::open_signed_document(document, {first.public_hex}, payload, error));
  json p = json::parse(payload);
  p["runtime"][0]["fileSha256"] = std::string(64, 'c');
  std::string changed_payload = p.dump(1);
  std::string changed = catalogue::seal_signed_document(changed_payload, {});
  json c = json::parse(changed);
  c["signatures"] = d["signatures"];
  EXPECT_EQ(import(c.dump(), {first.public_hex}, &errors), 1);
  EXPECT_NE(errors.find("changed after signing"), std::string::npos) << errors;

  // Signed by a key the server was not told of.
  EXPECT_EQ(import(document, {second.public_hex}, &errors), 1);
  EXPECT_NE(errors.find("no signature by a key"), std::string::npos) << errors;
  EXPECT_EQ(import(document, {}, &errors), 1);

  // Older than the stored one, unless the operator insists.
  const std::string older = sign(3, err);
  EXPECT_EQ(import(older, {first.public_hex}, &errors), 1);
  EXPECT_NE(errors.find("older than the stored version 4"), std::string::npos) << errors;
  EXPECT_EQ(server.export_text(), before);
  EXPECT_EQ(import(older, {first.public_hex}, &errors, true), 0) << errors;
}

TEST_F(Signing, APlainImportTakesTheDocumentAway) {
  std::ostringstream out, err;
  ASSERT_EQ(import(sign(2, err), {first.public_hex}), 0);
  ASSERT_TRUE(eventually([&] { return !served().empty(); }));
  ASSERT_EQ(catalogue::import_catalogue_text(server.db_path(), server.files_dir(), catalogue_test::small_catalogue_text(),
                                             out, err),
            0);
  ASSERT_TRUE(eventually([&] {
    auto r = server.get("/api/dll/files/signed");
    return r && r->status == 404;
  }));
}

TEST(SignedDocumentKeys, KeyFilesNameOnlyWellFormedKeys) {
  catalogue_test::TempDir dir;
  std::vector<std::string> keys;
  std::string error;
  catalogue_test::write_file(dir.path + "/keys", "# the current key and its successor\n\n" + std::string(64, 'A') +
                                                    "\r\n  " + std::string(64, 'b') + "\n");
  ASSERT_TRUE(catalogue::read_public_keys(dir.path + "/keys", keys, error)) << error;
  EXPECT_EQ(keys, (std::vector<std::string>{std::string(64, 'a'), std::string(64, 'b')}));
  catalogue_test::write_file(dir.path + "/bad", std::string(63, 'a') + "\n");
  EXPECT_FALSE(catalogue::read_public_keys(dir.path + "/bad", keys, error));
  EXPECT_NE(error.find("line 1"), std::string::npos);
  catalogue_test::write_file(dir.path + "/empty", "# none yet\n");
  EXPECT_FALSE(catalogue::read_public_keys(dir.path + "/empty", keys, error));
}

}  // namespace

namespace {

// The committed signed sample is the sample catalogue as it stands, under the published key:
// a change to the sample without signing it again fails here.
TEST(SignedSample, TheCommittedDocumentSignsTheSampleAsItStands) {
  const std::string dir = std::string(TEST_DATA_DIR) + "/../../catalogues/";
  std::vector<std::string> keys;
  std::string error, payload;
  ASSERT_TRUE(catalogue::read_public_keys(dir + "throwaway-operator.pub", keys, error)) << error;
  ASSERT_TRUE(catalogue::open_signed_document(catalogue_test::read_text(dir + "production-sample.signed.json"), keys,
                                              payload, error))
      << error;
  catalogue::ImportResult fromDocument = catalogue::validate_import(payload);
  catalogue::ImportResult fromSample = catalogue::validate_import(catalogue_test::read_text(dir + "production-sample.json"));
  ASSERT_TRUE(fromDocument.ok());
  ASSERT_TRUE(fromSample.ok());
  ASSERT_EQ(fromDocument.catalogue.entries.size(), fromSample.catalogue.entries.size());
  for (size_t i = 0; i < fromSample.catalogue.entries.size(); ++i) {
    const catalogue::Entry& signed_entry = fromDocument.catalogue.entries[i];
    const catalogue::Entry& source = fromSample.catalogue.entries[i];
    EXPECT_EQ(signed_entry.id, source.id);
    EXPECT_EQ(signed_entry.silentParam, source.silentParam);
    EXPECT_EQ(signed_entry.regeditName, source.regeditName);
    EXPECT_EQ(signed_entry.minVersion, source.minVersion);
    EXPECT_EQ(signed_entry.filePath, source.filePath);
    const std::string url = source.downloadUrl[0] == '/' ? "https://catalogue.example.com" + source.downloadUrl
                                                         : source.downloadUrl;
    EXPECT_EQ(signed_entry.downloadUrl, url) << "sign the sample again: server/catalogues/sign-sample.sh";
    EXPECT_EQ(signed_entry.fileSha256.size(), 64u);
  }
}

}  // namespace
