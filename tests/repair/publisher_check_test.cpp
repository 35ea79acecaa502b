#include "repair/publisher_check_win.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "certificate_support.h"
#include "wine_path.h"

namespace {

std::string Sample(const std::string& name) { return test_support::WinePath(std::string(SIGNATURE_SAMPLES) + "/" + name); }

std::vector<BYTE> ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<BYTE>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

using test_support::EngineTrusting;

const std::vector<std::string> kTestPublisher = {"Tessavane Test Publisher"};

class PublisherCheck : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(ReadAll(Sample("test_root.der")).empty());
    ASSERT_NE(testRoot_.get(), nullptr);
    ASSERT_NE(impostorRoot_.get(), nullptr);
  }
  bool Accepted(const std::string& sample, const std::vector<std::string>& publishers = kTestPublisher) {
    return repair::SignedByListedPublisher(Sample(sample), publishers, testRoot_.get());
  }
  EngineTrusting testRoot_{ReadAll(Sample("test_root.der"))};
  EngineTrusting impostorRoot_{ReadAll(Sample("impostor_root.der"))};
};

TEST_F(PublisherCheck, AcceptsAnIntactSignatureOfAListedPublisherFromATrustedRoot) {
  EXPECT_TRUE(Accepted("signed.exe"));
  EXPECT_TRUE(Accepted("signed.exe", {"Microsoft Corporation", "Tessavane Test Publisher"}));
}

TEST_F(PublisherCheck, RefusesWhatTheSignatureDoesNotVouchFor) {
  EXPECT_FALSE(Accepted("unsigned.exe"));
  EXPECT_FALSE(Accepted("tampered.exe"));
  EXPECT_FALSE(Accepted("missing.exe"));
  EXPECT_FALSE(Accepted("unsigned_installer.exe"));
}

// Wine's WinVerifyTrust accepts these: it does not ask whether the signer's root is trusted.
TEST_F(PublisherCheck, TheSignersChainMustLeadToATrustedRootAndAllowCodeSigning) {
  EXPECT_FALSE(Accepted("impostor.exe"));
  EXPECT_FALSE(Accepted("impostor.dll"));
  EXPECT_FALSE(Accepted("not_for_code.exe"));
  // The same signature is good where its own root is the trusted one, and the test publisher's
  // is not.
  EXPECT_TRUE(repair::SignedByListedPublisher(Sample("impostor.exe"), kTestPublisher, impostorRoot_.get()));
  EXPECT_FALSE(repair::SignedByListedPublisher(Sample("signed.exe"), kTestPublisher, impostorRoot_.get()));
}

TEST_F(PublisherCheck, OnlyTheListedNamesCount) {
  EXPECT_FALSE(Accepted("other_name.exe"));
  EXPECT_TRUE(Accepted("other_name.exe", {"Somebody Else"}));
  EXPECT_FALSE(Accepted("signed.exe", {"Microsoft Corporation"}));
  EXPECT_FALSE(Accepted("signed.exe", {"Tessavane Test"}));     // the root's organisation
  EXPECT_FALSE(Accepted("signed.exe", {"tessavane test publisher"}));
  EXPECT_FALSE(Accepted("signed.exe", {}));
}

// What the repairs ask: this build's publishers and the prefix's own Root store, which the test
// run made trust the test root as Windows trusts the vendors'.
TEST_F(PublisherCheck, ThisBuildTrustsTheTestPublisherThroughTheSystemsRoots) {
  EXPECT_TRUE(repair::SignedByTrustedPublisher(Sample("signed.exe")));
  EXPECT_FALSE(repair::SignedByTrustedPublisher(Sample("impostor.exe")));
  EXPECT_FALSE(repair::SignedByTrustedPublisher(Sample("unsigned.exe")));
}

}  // namespace
