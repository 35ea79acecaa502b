// The lists under a signed document: what the store keeps, and how the conversation fetches,
// judges and remembers the document.
#include <gtest/gtest.h>

#include <ctime>
#include <string>
#include <vector>

#include "app/server_conversation.h"
#include "app/store_reply.h"
#include "catalogue_signer.h"

namespace {

using net::DocumentVerdict;

std::string Same(const std::string& text) { return text; }

const char kSha[] = "9e86efcf3d42ac32e23e5cea241845fa9b9e88cebdb88b79a194d59243945ef3";

std::string Runtime(int id, const std::string& url, bool withFacts) {
  return R"({"status":1,"id":)" + std::to_string(id) + R"(,"downloadUrl":")" + url +
         R"(","fileName":"f","regeditName":"HKEY_LOCAL_MACHINE\\K","fileMd5":"0123456789abcdef0123456789abcdef","gameRepair":1)" +
         (withFacts ? std::string(R"(,"fileSha256":")") + kSha + R"(","fileSize":10)" : std::string()) + "}";
}

const std::string kCommonEntry =
    R"({"status":1,"id":101,"type":0,"downloadUrl":"https://cat/a.exe","imgUrl":"","fileName":"a","fileMd5":"","memo":""})";

std::string CommonReply(const std::string& links) {
  return R"({"code":"200","data":{)" + links + R"(,"filesList":[)" + kCommonEntry + "]}}";
}

// The operator signed entries 1 and 2; the server's list has 1 unchanged, 2 with another
// address and 3, which the document never named.
struct SignedLists : ::testing::Test {
  SignedLists() {
    test_signing::Payload p;
    p.version = 4;
    p.expires = static_cast<int64_t>(std::time(nullptr)) + 3600;
    p.runtime = "[" + Runtime(1, "https://cat/one.exe", true) + "," + Runtime(2, "https://cat/two.exe", true) + "]";
    std::string common = kCommonEntry;
    common.insert(common.size() - 1, std::string(R"(,"fileSha256":")") + kSha + R"(","fileSize":3)");
    p.common = "[" + common + "]";
    document = test_signing::Document(p.Text(), {&key});
    EXPECT_EQ(net::ReadSignedCatalogue(document, {key.Public()}, std::time(nullptr), 0, Same, signedCatalogue),
              DocumentVerdict::kAccepted);
  }
  test_signing::Key key = test_signing::NewKey();
  std::string document;
  net::SignedCatalogue signedCatalogue;
  const std::string runtimeReply = R"({"code":"200","data":[)" + Runtime(1, "https://cat/one.exe", false) + "," +
                                   Runtime(2, "https://evil/two.exe", false) + "," +
                                   Runtime(3, "https://cat/three.exe", false) + "]}";
};

TEST_F(SignedLists, OnlyCoveredEntriesAreKeptWithTheSignedDigest) {
  app::AppState state;
  ASSERT_EQ(app::StoreReply(state, net::kRuntimeFiles, runtimeReply, Same, {true, &signedCatalogue}),
            net::ReplyStatus::kAccepted);
  ASSERT_EQ(state.RuntimeFiles()->size(), 1u);
  EXPECT_EQ(state.RuntimeFiles()->at(0).id, 1);
  EXPECT_EQ(state.RuntimeFiles()->at(0).fileSha256, kSha);
  EXPECT_EQ(state.RuntimeFiles()->at(0).fileSize, 10u);
  // The links the program opens are the document's, whatever the list says.
  ASSERT_EQ(app::StoreReply(state, net::kCommonFiles,
                            CommonReply(R"("kfUrl":"https://evil/k","xyUrl":"https://evil/x","secretUrl":"https://evil/s")"),
                            Same, {true, &signedCatalogue}),
            net::ReplyStatus::kAccepted);
  EXPECT_EQ(state.Common()->kfUrl, "https://cat/k");
  EXPECT_EQ(state.Common()->secretUrl, "https://cat/s");
  EXPECT_EQ(state.Common()->cplusFiles.size(), 1u);
}

TEST_F(SignedLists, WithoutAnAcceptedDocumentNoListIsStored) {
  app::AppState state;
  EXPECT_EQ(app::StoreReply(state, net::kRuntimeFiles, runtimeReply, Same, {true, nullptr}),
            net::ReplyStatus::kNotAccepted);
  EXPECT_TRUE(state.RuntimeFiles()->empty());
  // A build without keys takes the list as it comes.
  ASSERT_EQ(app::StoreReply(state, net::kRuntimeFiles, runtimeReply, Same), net::ReplyStatus::kAccepted);
  EXPECT_EQ(state.RuntimeFiles()->size(), 3u);
  EXPECT_TRUE(state.RuntimeFiles()->at(0).fileSha256.empty());
}

// The header around the conversation, recording what it is asked.
class RecordingHeader : public app::ConversationHost {
 public:
  void ArmTimer(int, unsigned) override {}
  void ShowRequestFailed() override { ++failurePrompts; }
  void CacheImages(const net::CommonCatalogue&) override {}
  std::string StoredToken() override { return std::string(); }
  void ForgetStoredToken() override {}
  void ShowCatalogueRefused(DocumentVerdict why) override { refusals.push_back(why); }
  uint64_t NewestAcceptedCatalogueVersion() override { return newest; }
  void RecordAcceptedCatalogueVersion(uint64_t version) override { newest = version; ++recorded; }

  std::vector<std::unique_ptr<net::HttpRequest>> sent;
  std::vector<DocumentVerdict> refusals;
  uint64_t newest = 0;
  int recorded = 0, failurePrompts = 0;
};

struct SignedConversation : SignedLists {
  SignedConversation()
      : conversation(state, header, "https://cat", Same,
                     [this](std::unique_ptr<net::HttpRequest> r) { header.sent.push_back(std::move(r)); },
                     {key.Public()}) {}
  void Answer(const std::string& body) {
    conversation.OnHttpResponse(header.sent.back()->kind, true, &body);
  }
  app::AppState state;
  RecordingHeader header;
  app::ServerConversation conversation;
};

TEST_F(SignedConversation, TheDocumentComesFirstAndItsVersionIsRemembered) {
  conversation.RequestUserInfo();
  ASSERT_EQ(header.sent.size(), 1u);
  EXPECT_EQ(header.sent[0]->kind, net::kSignedCatalogue);
  EXPECT_EQ(header.sent[0]->url, "https://cat/api/dll/files/signed");
  Answer(document);
  EXPECT_EQ(header.newest, 4u);
  ASSERT_EQ(header.sent.size(), 2u);
  EXPECT_EQ(header.sent[1]->kind, net::kCommonFiles);
  Answer(CommonReply(R"("kfUrl":"","xyUrl":"","secretUrl":"")"));
  Answer(runtimeReply);
  EXPECT_EQ(state.RuntimeFiles()->size(), 1u);
  EXPECT_TRUE(header.refusals.empty());
}

TEST_F(SignedConversation, TheSameVersionAgainIsAcceptedAndNotRewritten) {
  header.newest = 4;
  conversation.RequestUserInfo();
  Answer(document);
  EXPECT_EQ(header.recorded, 0);
  EXPECT_EQ(header.sent.back()->kind, net::kCommonFiles);
}

TEST_F(SignedConversation, ARefusedDocumentIsToldOnceAndNothingMoreIsAsked) {
  header.newest = 5;
  conversation.RequestUserInfo();
  Answer(document);
  EXPECT_EQ(header.refusals, std::vector<DocumentVerdict>{DocumentVerdict::kRolledBack});
  EXPECT_EQ(header.sent.size(), 1u);
  EXPECT_EQ(header.newest, 5u);
  EXPECT_EQ(header.failurePrompts, 0);
  EXPECT_TRUE(state.Common()->cplusFiles.empty());
}

TEST_F(SignedConversation, AServerWithoutADocumentIsRefused) {
  conversation.RequestUserInfo();
  Answer(R"({"code":"404","msg":"this catalogue was imported unsigned"})");
  EXPECT_EQ(header.refusals, std::vector<DocumentVerdict>{DocumentVerdict::kMissing});
  EXPECT_EQ(header.sent.size(), 1u);
}

}  // namespace
