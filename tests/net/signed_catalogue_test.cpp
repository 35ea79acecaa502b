// The signed catalogue document as the program reads it: who signed it, whether it was changed,
// its age, and which list entries it vouches for.
#include "net/signed_catalogue.h"

#include <gtest/gtest.h>

#include <ctime>
#include <string>

#include "catalogue_signer.h"

namespace {

using net::DocumentVerdict;
using test_signing::Key;

std::string Same(const std::string& text) { return text; }

const int64_t kNow = 1800000000;
const char kSha[] = "9e86efcf3d42ac32e23e5cea241845fa9b9e88cebdb88b79a194d59243945ef3";

std::string RuntimeEntry(int id, const std::string& switches = "/q", const std::string& extra = "") {
  return R"({"status":1,"id":)" + std::to_string(id) +
         R"(,"downloadUrl":"https://cat/files/runtime/vc)" + std::to_string(id) +
         R"(.exe","fileName":"vc","regeditName":"HKEY_LOCAL_MACHINE\\SOFTWARE\\K","fileMd5":"0123456789abcdef0123456789abcdef","silentParam":")" +
         switches + R"(","minVersion":"14.40.33810","systemBit":1,"gameRepair":1,"fileSha256":")" + kSha +
         R"(","fileSize":18856)" + extra + "}";
}

std::string DxEntry(int id, const std::string& path = "C:\\\\Windows\\\\System32\\\\d3dx9_43.dll") {
  return R"({"status":1,"id":)" + std::to_string(id) +
         R"(,"systemBit":0,"downloadUrl":"https://cat/files/d3dx9_43.dll","fileName":"d3dx9_43.dll","fileMd5":"0123456789abcdef0123456789abcdef","filePath":")" +
         path + R"(","fileSha256":")" + kSha + R"(","fileSize":5})";
}

class SignedCatalogueTest : public ::testing::Test {
 protected:
  test_signing::Payload Base() const {
    test_signing::Payload p;
    p.version = 7;
    p.expires = kNow + 3600;
    p.runtime = "[" + RuntimeEntry(1) + "," + RuntimeEntry(2, "/install /quiet /norestart") + "]";
    p.dx = "[" + DxEntry(201) + "]";
    p.common = R"([{"status":1,"id":101,"type":0,"downloadUrl":"https://cat/files/a.exe","imgUrl":"https://cat/i.png","fileName":"a","fileMd5":"","memo":"m","fileSha256":")" +
               std::string(kSha) + R"(","fileSize":9}])";
    return p;
  }
  DocumentVerdict Read(const std::string& document, uint64_t newest = 0) {
    return net::ReadSignedCatalogue(document, {operatorKey.Public()}, kNow, newest, Same, read);
  }

  Key operatorKey = test_signing::NewKey();
  net::SignedCatalogue read;
};

TEST_F(SignedCatalogueTest, ADocumentSignedByTheEmbeddedKeyIsReadWhole) {
  ASSERT_EQ(Read(test_signing::Document(Base().Text(), {&operatorKey})), DocumentVerdict::kAccepted);
  EXPECT_EQ(read.version, 7u);
  EXPECT_EQ(read.expires, kNow + 3600);
  EXPECT_EQ(read.kfUrl, "https://cat/k");
  ASSERT_EQ(read.entries.size(), 4u);
  const net::SignedEntry* runtime = read.Find(net::kRuntimeFiles, 2);
  ASSERT_NE(runtime, nullptr);
  EXPECT_EQ(runtime->file.silentParam, "/install /quiet /norestart");
  EXPECT_EQ(runtime->file.fileSha256, kSha);
  EXPECT_EQ(runtime->file.fileSize, 18856u);
  EXPECT_EQ(read.Find(net::kCommonFiles, 101)->type, 0);
  EXPECT_EQ(read.Find(net::kDirectXFiles, 1), nullptr);
}

TEST_F(SignedCatalogueTest, WhoSignedItDecides) {
  const std::string payload = Base().Text();
  Key stranger = test_signing::NewKey(), successor = test_signing::NewKey();
  EXPECT_EQ(Read(test_signing::Document(payload, {&stranger})), DocumentVerdict::kUnknownKey);
  EXPECT_EQ(Read(test_signing::Document(payload, {})), DocumentVerdict::kUnknownKey);
  // A stranger's signature beside the operator's changes nothing.
  EXPECT_EQ(Read(test_signing::Document(payload, {&stranger, &operatorKey})), DocumentVerdict::kAccepted);
  // Two embedded keys while a key is rotated: either one's signature is enough.
  EXPECT_EQ(net::ReadSignedCatalogue(test_signing::Document(payload, {&successor}),
                                     {operatorKey.Public(), successor.Public()}, kNow, 0, Same, read),
            DocumentVerdict::kAccepted);
  // A signature claiming an embedded key that did not make it.
  std::string forged = test_signing::Document(payload, {&stranger});
  forged.replace(forged.find(stranger.PublicHex()), 64, operatorKey.PublicHex());
  EXPECT_EQ(Read(forged), DocumentVerdict::kBadSignature);
}

TEST_F(SignedCatalogueTest, AnyChangeAfterSigningIsRefusedWhole) {
  const std::string signedDocument = test_signing::Document(Base().Text(), {&operatorKey});
  const std::string payload = test_signing::PayloadOf(signedDocument);
  ASSERT_EQ(payload, Base().Text());
  auto changed = [&](const std::string& from, const std::string& to) {
    std::string p = payload;
    const size_t at = p.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    p.replace(at, from.size(), to);
    return test_signing::WithPayload(signedDocument, p);
  };
  EXPECT_EQ(Read(changed(kSha, std::string(kSha).replace(0, 1, "8"))), DocumentVerdict::kBadSignature);
  EXPECT_EQ(Read(changed("\"/q\"", "\"/passive\"")), DocumentVerdict::kBadSignature);
  EXPECT_EQ(Read(changed("System32", "SysWOW64")), DocumentVerdict::kBadSignature);
  EXPECT_EQ(Read(changed("\"dx\":[", "\"dx\":[" + DxEntry(299) + ",")), DocumentVerdict::kBadSignature);
  EXPECT_EQ(Read(changed("\"version\":7", "\"version\":8")), DocumentVerdict::kBadSignature);
  EXPECT_TRUE(read.entries.empty());
}

TEST_F(SignedCatalogueTest, ExpiryAndRollbackAreJudgedAfterTheSignature) {
  test_signing::Payload p = Base();
  p.expires = kNow;
  EXPECT_EQ(Read(test_signing::Document(p.Text(), {&operatorKey})), DocumentVerdict::kExpired);
  p.expires = kNow + 1;
  EXPECT_EQ(Read(test_signing::Document(p.Text(), {&operatorKey})), DocumentVerdict::kAccepted);
  const std::string version7 = test_signing::Document(Base().Text(), {&operatorKey});
  EXPECT_EQ(Read(version7, 8), DocumentVerdict::kRolledBack);
  EXPECT_EQ(Read(version7, 7), DocumentVerdict::kAccepted);
}

TEST_F(SignedCatalogueTest, WhatIsNotADocumentOrHasTheWrongShapeIsRefused) {
  // What a server without a document answers, and what a captive portal answers.
  EXPECT_EQ(Read(R"({"code":"404","msg":"this catalogue was imported unsigned"})"), DocumentVerdict::kMissing);
  EXPECT_EQ(Read("<html>login</html>"), DocumentVerdict::kMissing);
  EXPECT_EQ(Read(""), DocumentVerdict::kMissing);
  EXPECT_EQ(Read(R"({"format":"tessavane-signed-catalogue","payload":"e30="})"), DocumentVerdict::kMalformed);
  EXPECT_EQ(Read(R"({"format":"tessavane-signed-catalogue","payload":"not base64!","signatures":[]})"),
            DocumentVerdict::kMalformed);
  EXPECT_EQ(Read(R"({"format":"tessavane-signed-catalogue","payload":"e30=","signatures":[{"publicKey":"ab","signature":"cd"}]})"),
            DocumentVerdict::kMalformed);

  auto signedPayload = [&](const test_signing::Payload& p) { return test_signing::Document(p.Text(), {&operatorKey}); };
  test_signing::Payload p = Base();
  p.runtime = "[" + RuntimeEntry(1) + "," + RuntimeEntry(1) + "]";
  EXPECT_EQ(Read(signedPayload(p)), DocumentVerdict::kMalformed) << "an id twice";
  p = Base();
  p.dx = R"([{"status":1,"id":3,"systemBit":0,"downloadUrl":"https://cat/x.dll","fileName":"x.dll","fileMd5":"","filePath":"C:\\Windows\\System32\\x.dll"}])";
  EXPECT_EQ(Read(signedPayload(p)), DocumentVerdict::kMalformed) << "an entry without its SHA-256";
  p = Base();
  p.runtime = "[" + RuntimeEntry(1, "/q", R"(,"fileSize":0)") + "]";
  EXPECT_EQ(Read(signedPayload(p)), DocumentVerdict::kMalformed) << "a size of 0 (a key given twice)";
  p = Base();
  p.version = 0;
  EXPECT_EQ(Read(signedPayload(p)), DocumentVerdict::kMalformed);
  EXPECT_EQ(Read(test_signing::Document("[1,2]", {&operatorKey})), DocumentVerdict::kMalformed);
  EXPECT_EQ(Read(test_signing::Document(R"({"format":"something-else","version":1,"expires":9999999999})",
                                        {&operatorKey})),
            DocumentVerdict::kMalformed);
}

TEST_F(SignedCatalogueTest, ASignedEntryTheProgramWouldRefuseVouchesForNothing) {
  test_signing::Payload p = Base();
  p.runtime = "[" + RuntimeEntry(1, "/log C:\\\\x.txt") + "," + RuntimeEntry(2) + "]";
  p.dx = "[" + DxEntry(201, "C:\\\\Windows\\\\Temp\\\\d3dx9_43.dll") + "]";
  ASSERT_EQ(Read(test_signing::Document(p.Text(), {&operatorKey})), DocumentVerdict::kAccepted);
  EXPECT_EQ(read.Find(net::kRuntimeFiles, 1), nullptr);
  EXPECT_NE(read.Find(net::kRuntimeFiles, 2), nullptr);
  EXPECT_EQ(read.Find(net::kDirectXFiles, 201), nullptr);
}

class Coverage : public SignedCatalogueTest {
 protected:
  void SetUp() override { ASSERT_EQ(Read(test_signing::Document(Base().Text(), {&operatorKey})), DocumentVerdict::kAccepted); }
  // The entry as a list reply carries it: without the document's digest.
  net::CatalogueFile ListEntry() const {
    net::CatalogueFile f = read.Find(net::kRuntimeFiles, 1)->file;
    f.fileSha256.clear();
    f.fileSize = 0;
    return f;
  }
};

TEST_F(Coverage, TheSameEntryIsCoveredAndGetsTheSignedDigest) {
  net::CatalogueFile entry = ListEntry();
  entry.installed = true;  // the program's own fields are not the catalogue's
  ASSERT_TRUE(net::CoveredBy(read, net::kRuntimeFiles, -1, entry));
  EXPECT_EQ(entry.fileSha256, kSha);
  EXPECT_EQ(entry.fileSize, 18856u);
}

TEST_F(Coverage, AnyMemberTheProgramActsOnThatDiffersIsNotCovered) {
  std::vector<std::pair<const char*, void (*)(net::CatalogueFile&)>> changes = {
      {"downloadUrl", [](net::CatalogueFile& f) { f.downloadUrl += "x"; }},
      {"fileName", [](net::CatalogueFile& f) { f.fileName = "other"; }},
      {"fileMd5", [](net::CatalogueFile& f) { f.fileMd5[0] = 'f'; }},
      {"regeditName", [](net::CatalogueFile& f) { f.regeditName += "\\Other"; }},
      {"silentParam", [](net::CatalogueFile& f) { f.silentParam = "/passive"; }},
      {"minVersion", [](net::CatalogueFile& f) { f.minVersion.build -= 1; }},
      {"hasMinVersion", [](net::CatalogueFile& f) { f.hasMinVersion = false; }},
      {"systemBit", [](net::CatalogueFile& f) { f.systemBit = 0; }},
      {"gameRepair", [](net::CatalogueFile& f) { f.gameRepair = false; }},
      {"filePath", [](net::CatalogueFile& f) { f.filePath = "C:\\Windows\\System32\\vc.exe"; }},
      {"id", [](net::CatalogueFile& f) { f.id = 3; }},
  };
  for (const auto& change : changes) {
    net::CatalogueFile entry = ListEntry();
    change.second(entry);
    EXPECT_FALSE(net::CoveredBy(read, net::kRuntimeFiles, -1, entry)) << change.first;
    EXPECT_TRUE(entry.fileSha256.empty()) << change.first;
  }
  // The same entry under another list, or another sub-list of the common list.
  net::CatalogueFile entry = ListEntry();
  EXPECT_FALSE(net::CoveredBy(read, net::kDirectXFiles, -1, entry));
  net::CatalogueFile common = read.Find(net::kCommonFiles, 101)->file;
  EXPECT_FALSE(net::CoveredBy(read, net::kCommonFiles, 1, common));
  EXPECT_TRUE(net::CoveredBy(read, net::kCommonFiles, 0, common));
}

}  // namespace
