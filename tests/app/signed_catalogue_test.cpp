// The program in its real frame against the real catalogue server, whose demo catalogue is
// signed with the first test key (with-catalogue-server), seen through the recording proxy.
// Documents changed after signing, replayed, expired or signed by a stranger are served in its
// place: each is refused whole, with the prompt, and no list loads.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <ctime>
#include <fstream>
#include <string>
#include <vector>

#include "app/main_frame_window.h"
#include "app/settings.h"
#include "catalogue_signer.h"
#include "fixture_client.h"
#include "page_machinery/product.h"
#include "shell_test_support.h"

namespace {

using nlohmann::json;

class SignedCatalogue : public ::testing::Test {
 protected:
  void SetUp() override {
    if (std::getenv("TESSA_PROXY_URL") == nullptr) GTEST_SKIP() << "run by with-catalogue-server";
    proxy_ = std::getenv("TESSA_PROXY_URL");
    log_ = UnixPathFromEnvironment("TESSA_PROXY_LOG");
    rules_ = UnixPathFromEnvironment("TESSA_PROXY_RULES");
    std::ofstream(log_, std::ios::trunc);
    std::ofstream(rules_, std::ios::trunc);
    const std::string keys = UnixPathFromEnvironment("TESSA_CATALOGUE_TEST_KEYS");
    ASSERT_TRUE(test_signing::KeyFromPem(keys + "\\first.pem", first_));
    ASSERT_TRUE(test_signing::KeyFromPem(keys + "\\second.pem", second_));
    ASSERT_TRUE(test_support::FetchDirect(std::string(std::getenv("TESSA_SERVER_URL")) + "/api/dll/files/signed", served_));
    payload_ = test_signing::PayloadOf(served_);
    ASSERT_EQ(json::parse(payload_)["version"], 2);
    app::ForgetToken();
  }
  void TearDown() override {
    if (frame_ && ::IsWindow(frame_->GetHWND())) ::DestroyWindow(frame_->GetHWND());
    PumpFor(0);
  }

  void Serve(const std::string& document) {
    std::ofstream(rules_, std::ios::trunc) << "/api/dll/files/signed reply " << document << "\n";
  }
  std::vector<std::string> Requests() {
    std::vector<std::string> lines;
    std::ifstream in(log_);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }
  // Each frame gets a state of its own, so what one load left never counts for the next. Request
  // threads may deliver after a frame has gone, so every state lives until the process ends.
  void Start() {
    state_ = new app::AppState;
    state_->channel = "guanwang";
    frame_ = std::make_unique<app::MainFrameWindow>(*state_, proxy_);
    ASSERT_NE(frame_->Create(nullptr, app::kProductName, 0x10CE0000, 0x100, 0, 0, 0, 0), nullptr);
  }
  bool Loaded() {
    return PumpUntil([&] { return state_->SystemFiles()->size() > 0; }, 20000);
  }
  // Served in place of the real one: the prompt comes, nothing after the document is asked
  // for, and no list holds anything.
  void ExpectRefused(const std::string& document, const char* what) {
    SCOPED_TRACE(what);
    Serve(document);
    std::ofstream(log_, std::ios::trunc);
    PromptUser::Arm();
    Start();
    EXPECT_TRUE(PumpUntil([] { return PromptUser::seen; }, 15000));
    PumpUntil([] { return ::FindWindowW(L"Main_Tip", nullptr) == nullptr; }, 5000);
    PumpFor(500);
    EXPECT_EQ(Requests(), std::vector<std::string>{"/api/dll/files/signed token="});
    EXPECT_TRUE(state_->RuntimeFiles()->empty());
    EXPECT_TRUE(state_->DxFiles()->empty());
    EXPECT_TRUE(state_->Common()->cplusFiles.empty());
    ::DestroyWindow(frame_->GetHWND());
    PumpFor(0);
  }
  std::string Signed(const std::string& payload, const test_signing::Key& key) {
    return test_signing::Document(payload, {&key});
  }
  std::string Changed(const std::function<void(json&)>& edit) {
    return test_signing::WithPayload(served_, test_signing::EditedPayload(payload_, edit));
  }

  app::AppState* state_ = nullptr;
  std::unique_ptr<app::MainFrameWindow> frame_;
  std::string proxy_, log_, rules_, served_, payload_;
  test_signing::Key first_, second_;
};

TEST_F(SignedCatalogue, TheServersSignedCatalogueLoadsWithEveryEntryItsDigest) {
  Start();
  ASSERT_TRUE(Loaded());
  EXPECT_EQ(Requests().front(), "/api/dll/files/signed token=");
  ASSERT_FALSE(state_->RuntimeFiles()->empty());
  // Every entry of the demo's runtime list is in the document, and comes with its digest.
  EXPECT_EQ(state_->RuntimeFiles()->size(), json::parse(payload_)["runtime"].size());
  for (const net::CatalogueFile& entry : *state_->RuntimeFiles()) {
    EXPECT_EQ(entry.fileSha256.size(), 64u) << entry.id;
    EXPECT_GT(entry.fileSize, 0u) << entry.id;
  }
  EXPECT_EQ(::FindWindowW(L"Main_Tip", nullptr), nullptr);
}

TEST_F(SignedCatalogue, ADocumentChangedAfterSigningIsRefusedWhole) {
  ExpectRefused(Changed([](json& p) { p["runtime"][0]["fileSha256"] = std::string(64, 'f'); }), "one digest");
  ExpectRefused(Changed([](json& p) { p["runtime"][0]["silentParam"] = "/passive"; }), "one switch");
  ExpectRefused(Changed([](json& p) {
                  std::string path = p["dx"][0]["filePath"];
                  p["dx"][0]["filePath"] = path.replace(path.find("System32"), 8, "SysWOW64");
                }),
                "one path");
  ExpectRefused(Changed([](json& p) {
                  json added = p["runtime"][0];
                  added["id"] = 999;
                  p["runtime"].push_back(added);
                }),
                "one added entry");
}

TEST_F(SignedCatalogue, ExpiredReplayedAndStrangersDocumentsAreRefused) {
  // This PC accepts version 2 first; version 1 afterwards is a replay.
  Start();
  ASSERT_TRUE(Loaded());
  ::DestroyWindow(frame_->GetHWND());
  ExpectRefused(Signed(test_signing::EditedPayload(payload_, [](json& p) { p["version"] = 1; }), first_),
                "an older version");
  ExpectRefused(Signed(test_signing::EditedPayload(payload_,
                                                   [](json& p) { p["expires"] = static_cast<int64_t>(std::time(nullptr)) - 60; }),
                       first_),
                "expired");
  const test_signing::Key stranger = test_signing::NewKey();
  ExpectRefused(Signed(payload_, stranger), "a stranger's key");
  ExpectRefused(R"({"code":"404","msg":"this catalogue was imported unsigned"})", "no document");
}

TEST_F(SignedCatalogue, TheSecondEmbeddedKeyIsAccepted) {
  Serve(Signed(payload_, second_));
  Start();
  ASSERT_TRUE(Loaded());
  EXPECT_FALSE(state_->RuntimeFiles()->empty());
}

TEST_F(SignedCatalogue, AListEntryTheDocumentDoesNotNameIsNotUsed) {
  const int left = json::parse(payload_)["runtime"][0]["id"];
  Serve(Signed(test_signing::EditedPayload(payload_, [](json& p) { p["runtime"].erase(0); }), first_));
  Start();
  ASSERT_TRUE(Loaded());
  ASSERT_FALSE(state_->RuntimeFiles()->empty());
  for (const net::CatalogueFile& entry : *state_->RuntimeFiles()) EXPECT_NE(entry.id, left);
  EXPECT_EQ(state_->RuntimeFiles()->size(), json::parse(payload_)["runtime"].size() - 1);
}

}  // namespace
