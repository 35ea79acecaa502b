// The chain parameters' URL retrieval timeout, for the one chain built here that may fetch.
#define CERT_CHAIN_PARA_HAS_EXTRA_FIELDS
#include "repair/publisher_check_win.h"

#include <winsock2.h>
#include <softpub.h>
#include <wintrust.h>

#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "certificate_support.h"
#include "repair/pe_certificate_table.h"
#include "wine_path.h"

namespace {

std::string Sample(const std::string& name) { return test_support::WinePath(std::string(SIGNATURE_SAMPLES) + "/" + name); }

std::vector<BYTE> ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<BYTE>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

using test_support::EngineTrusting;

const char kName[] = "Tessavane Test Publisher";

// The key a root is pinned by, from its DER.
std::string KeyOf(const std::vector<BYTE>& der) {
  PCCERT_CONTEXT certificate =
      der.empty() ? nullptr : CertCreateCertificateContext(X509_ASN_ENCODING, der.data(), DWORD(der.size()));
  std::string key = repair::RootKeyOf(certificate);
  if (certificate) CertFreeCertificateContext(certificate);
  return key;
}

std::string CommonName(PCCERT_CONTEXT certificate) {
  char name[256] = {};
  CertGetNameStringA(certificate, CERT_NAME_ATTR_TYPE, 0, const_cast<char*>(szOID_COMMON_NAME), name, sizeof name);
  return name;
}

// A root put into one of the prefix's Root stores (the machine's or the current user's) for as
// long as the object lives. Each change is made through a store opened and closed for it, so
// that it is written through to the registry, where stores opened later (the chain engines')
// read it.
class RootPlaced {
 public:
  RootPlaced(DWORD location, const std::vector<BYTE>& der) : location_(location) {
    if (der.empty()) return;
    certificate_ = CertCreateCertificateContext(X509_ASN_ENCODING, der.data(), DWORD(der.size()));
    HCERTSTORE store = Open();
    placed_ = store && certificate_ &&
              CertAddCertificateContextToStore(store, certificate_, CERT_STORE_ADD_REPLACE_EXISTING, nullptr);
    if (store) CertCloseStore(store, 0);
  }
  ~RootPlaced() {
    if (HCERTSTORE store = placed_ ? Open() : nullptr) {
      if (PCCERT_CONTEXT found = CertFindCertificateInStore(store, X509_ASN_ENCODING, 0, CERT_FIND_EXISTING,
                                                            certificate_, nullptr))
        CertDeleteCertificateFromStore(found);  // frees found
      CertCloseStore(store, 0);
    }
    if (certificate_) CertFreeCertificateContext(certificate_);
  }
  RootPlaced(const RootPlaced&) = delete;
  RootPlaced& operator=(const RootPlaced&) = delete;
  bool placed() const { return placed_; }
  PCCERT_CONTEXT certificate() const { return certificate_; }

 private:
  HCERTSTORE Open() const { return CertOpenStore(CERT_STORE_PROV_SYSTEM_W, 0, 0, location_, L"Root"); }

  DWORD location_;
  PCCERT_CONTEXT certificate_ = nullptr;
  bool placed_ = false;
};

// Whether WinVerifyTrust alone, as the program asked it before, calls the file's signature
// intact: Wine's does not ask whose root it is, nor what else the certificate table holds.
bool WinVerifyTrustAccepts(const std::string& path) {
  std::wstring wide(path.begin(), path.end());
  WINTRUST_FILE_INFO file = {};
  file.cbStruct = sizeof file;
  file.pcwszFilePath = wide.c_str();
  WINTRUST_DATA data = {};
  data.cbStruct = sizeof data;
  data.dwUIChoice = WTD_UI_NONE;
  data.fdwRevocationChecks = WTD_REVOKE_NONE;
  data.dwUnionChoice = WTD_CHOICE_FILE;
  data.pFile = &file;
  data.dwStateAction = WTD_STATEACTION_VERIFY;
  GUID action = WINTRUST_ACTION_GENERIC_VERIFY_V2;
  const HWND noUser = static_cast<HWND>(INVALID_HANDLE_VALUE);
  const bool accepted = WinVerifyTrust(noUser, &action, &data) == ERROR_SUCCESS;
  data.dwStateAction = WTD_STATEACTION_CLOSE;
  WinVerifyTrust(noUser, &action, &data);
  return accepted;
}

class PublisherCheck : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(ReadAll(Sample("test_root.der")).empty());
    ASSERT_NE(testRoot_.get(), nullptr);
    ASSERT_NE(impostorRoot_.get(), nullptr);
    ASSERT_EQ(testKey_.size(), 64u);
  }
  bool Accepted(const std::string& sample, const std::vector<repair::TrustedPublisher>& publishers) {
    return repair::SignedByListedPublisher(Sample(sample), publishers, testRoot_.get());
  }
  bool Accepted(const std::string& sample) { return Accepted(sample, testPublisher_); }

  EngineTrusting testRoot_{ReadAll(Sample("test_root.der"))};
  EngineTrusting impostorRoot_{ReadAll(Sample("impostor_root.der"))};
  const std::string testKey_ = KeyOf(ReadAll(Sample("test_root.der")));
  const std::string impostorKey_ = KeyOf(ReadAll(Sample("impostor_root.der")));
  const std::vector<repair::TrustedPublisher> testPublisher_ = {{kName, {testKey_}}};
};

TEST_F(PublisherCheck, AcceptsAnIntactSignatureOfAListedPublisherFromAPinnedRoot) {
  EXPECT_TRUE(Accepted("signed.exe"));
  EXPECT_TRUE(Accepted("signed.exe", {{"Microsoft Corporation", {testKey_}}, {kName, {impostorKey_, testKey_}}}));
}

TEST_F(PublisherCheck, RefusesWhatTheSignatureDoesNotVouchFor) {
  EXPECT_FALSE(Accepted("unsigned.exe"));
  EXPECT_FALSE(Accepted("tampered.exe"));
  EXPECT_FALSE(Accepted("missing.exe"));
  EXPECT_FALSE(Accepted("unsigned_installer.exe"));
}

// Wine's WinVerifyTrust accepts these: it does not ask whether the signer's root is trusted.
TEST_F(PublisherCheck, TheSignersChainMustLeadToATrustedRootAndAllowCodeSigning) {
  EXPECT_TRUE(WinVerifyTrustAccepts(Sample("impostor.exe")));
  EXPECT_FALSE(Accepted("impostor.exe"));
  EXPECT_FALSE(Accepted("impostor.dll"));
  EXPECT_FALSE(Accepted("not_for_code.exe"));
  // Pinning the impostor's key does not help while the engine does not trust its root.
  EXPECT_FALSE(Accepted("impostor.exe", {{kName, {testKey_, impostorKey_}}}));
  // The same signature is good where its own root is the trusted and pinned one, and the test
  // publisher's is not.
  EXPECT_TRUE(repair::SignedByListedPublisher(Sample("impostor.exe"), {{kName, {impostorKey_}}}, impostorRoot_.get()));
  EXPECT_FALSE(repair::SignedByListedPublisher(Sample("impostor.exe"), testPublisher_, impostorRoot_.get()));
  EXPECT_FALSE(repair::SignedByListedPublisher(Sample("signed.exe"), testPublisher_, impostorRoot_.get()));
}

TEST_F(PublisherCheck, TheRootMustBeOneThePublisherIsPinnedTo) {
  // The chain is good and its root trusted; the publisher is pinned to another key.
  EXPECT_FALSE(Accepted("signed.exe", {{kName, {impostorKey_}}}));
  EXPECT_FALSE(Accepted("signed.exe", {{kName, {}}}));
  // Another publisher's key does not lend itself to this name.
  EXPECT_FALSE(Accepted("signed.exe", {{kName, {impostorKey_}}, {"Somebody Else", {testKey_}}}));
}

TEST_F(PublisherCheck, OnlyTheListedNamesCount) {
  EXPECT_FALSE(Accepted("other_name.exe"));
  EXPECT_TRUE(Accepted("other_name.exe", {{"Somebody Else", {testKey_}}}));
  EXPECT_FALSE(Accepted("signed.exe", {{"Microsoft Corporation", {testKey_}}}));
  EXPECT_FALSE(Accepted("signed.exe", {{"Tessavane Test", {testKey_}}}));  // the root's organisation
  EXPECT_FALSE(Accepted("signed.exe", {{"tessavane test publisher", {testKey_}}}));
  EXPECT_FALSE(Accepted("signed.exe", {}));
}

// The same name under another root that bears the test root's very name and is trusted by
// the machine: what "any root with a matching common name" let through.
TEST_F(PublisherCheck, TheSameNameUnderAnotherTrustedRootIsRefused) {
  const std::vector<BYTE> otherRoot = ReadAll(Sample("same_root_name.der"));
  RootPlaced trusted(CERT_SYSTEM_STORE_LOCAL_MACHINE, otherRoot);
  ASSERT_TRUE(trusted.placed());
  EXPECT_EQ(CommonName(trusted.certificate()), "Tessavane Test Root");
  EXPECT_TRUE(WinVerifyTrustAccepts(Sample("same_root_name.exe")));
  EXPECT_FALSE(repair::SignedByTrustedPublisher(Sample("same_root_name.exe")));
  // Only the pin refuses it: pinned to that root's key, the machine's roots would accept it.
  EXPECT_TRUE(repair::SignedByListedPublisher(Sample("same_root_name.exe"), {{kName, {KeyOf(otherRoot)}}}));
  // The genuine signature is still good beside the look-alike root.
  EXPECT_TRUE(repair::SignedByTrustedPublisher(Sample("signed.exe")));
}

// A root the current user added (no administrator needed) anchors nothing.
TEST_F(PublisherCheck, ARootOnlyInTheCurrentUsersStoreIsRefused) {
  const std::vector<BYTE> userRoot = ReadAll(Sample("user_root.der"));
  const std::vector<repair::TrustedPublisher> pinnedToIt = {{kName, {KeyOf(userRoot)}}};
  RootPlaced placed(CERT_SYSTEM_STORE_CURRENT_USER, userRoot);
  ASSERT_TRUE(placed.placed());
  // An engine made the default way, whose roots are the current user's as the system's default
  // engine's are (the check used that one before), trusts it; made afresh, since Wine's
  // default engine keeps the Root store it read when first used ...
  CERT_CHAIN_ENGINE_CONFIG defaultConfig = {};
  defaultConfig.cbSize = sizeof defaultConfig;
  HCERTCHAINENGINE userDefault = nullptr;
  ASSERT_TRUE(CertCreateCertificateChainEngine(&defaultConfig, &userDefault));
  PCCERT_CHAIN_CONTEXT chain = nullptr;
  CERT_CHAIN_PARA para = {};
  para.cbSize = sizeof para;
  ASSERT_TRUE(CertGetCertificateChain(userDefault, placed.certificate(), nullptr, nullptr, &para, 0, nullptr, &chain));
  EXPECT_EQ(chain->TrustStatus.dwErrorStatus & CERT_TRUST_IS_UNTRUSTED_ROOT, 0u);
  CertFreeCertificateChain(chain);
  CertFreeCertificateChainEngine(userDefault);
  // ... the machine's engine does not,
  HCERTCHAINENGINE machine = repair::MachineRootChainEngine();
  ASSERT_NE(machine, nullptr);
  ASSERT_TRUE(CertGetCertificateChain(machine, placed.certificate(), nullptr, nullptr, &para, 0, nullptr, &chain));
  EXPECT_NE(chain->TrustStatus.dwErrorStatus & CERT_TRUST_IS_UNTRUSTED_ROOT, 0u);
  CertFreeCertificateChain(chain);
  // ... so a signature from it is refused even when its key is pinned,
  EXPECT_FALSE(repair::SignedByListedPublisher(Sample("user_root.exe"), pinnedToIt));
  EXPECT_FALSE(repair::SignedByListedPublisher(Sample("user_root.exe"), pinnedToIt, machine));
  EXPECT_FALSE(repair::SignedByTrustedPublisher(Sample("user_root.exe")));
  CertFreeCertificateChainEngine(machine);
  // ... though the signature itself is good where that root is trusted.
  EngineTrusting userEngine(userRoot);
  EXPECT_TRUE(repair::SignedByListedPublisher(Sample("user_root.exe"), pinnedToIt, userEngine.get()));
}

// Bytes beside the signature in the certificate table (MS13-098): Wine's WinVerifyTrust, like
// Windows' without EnableCertPaddingCheck, calls the signature intact; the check refuses.
TEST_F(PublisherCheck, ACertificateTableWithMoreThanTheSignatureIsRefused) {
  const struct {
    const char* sample;
    repair::CertificateTable verdict;
  } kGrown[] = {{"padded.exe", repair::CertificateTable::kBytesAfterSignature},
                {"padded_zeros.exe", repair::CertificateTable::kBytesAfterSignature},
                {"two_entries.exe", repair::CertificateTable::kSecondEntry}};
  for (const auto& grown : kGrown) {
    const std::vector<BYTE> bytes = ReadAll(Sample(grown.sample));
    EXPECT_EQ(repair::CheckCertificateTable(bytes.data(), bytes.size()), grown.verdict) << grown.sample;
    EXPECT_TRUE(WinVerifyTrustAccepts(Sample(grown.sample))) << grown.sample;
    EXPECT_FALSE(Accepted(grown.sample)) << grown.sample;
    EXPECT_FALSE(repair::SignedByTrustedPublisher(Sample(grown.sample))) << grown.sample;
  }
}

// osslsigncode's tables, as the stand-ins and the demo carry them, are of the one sound shape.
TEST_F(PublisherCheck, SignedSamplesHaveASoundCertificateTable) {
  for (const char* sample : {"signed.exe", "impostor.exe", "impostor.dll", "same_root_name.exe", "crl_point.exe"}) {
    const std::vector<BYTE> bytes = ReadAll(Sample(sample));
    EXPECT_EQ(repair::CheckCertificateTable(bytes.data(), bytes.size()), repair::CertificateTable::kOneSignature)
        << sample;
  }
  const std::vector<BYTE> unsignedBytes = ReadAll(Sample("unsigned.exe"));
  EXPECT_EQ(repair::CheckCertificateTable(unsignedBytes.data(), unsignedBytes.size()),
            repair::CertificateTable::kUnsigned);
}

// A TCP listener on the sample's CRL port that notes each connection and drops it at once (a
// fetch then fails quickly rather than waiting for an answer).
class Listener {
 public:
  Listener() {
    WSADATA wsa;
    WSAStartup(MAKEWORD(2, 2), &wsa);
    socket_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(SIGNATURE_CRL_PORT);
    listening_ = socket_ != INVALID_SOCKET &&
                 bind(socket_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
                 listen(socket_, 8) == 0;
    if (listening_) thread_ = std::thread([this] { Serve(); });
  }
  ~Listener() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
    if (socket_ != INVALID_SOCKET) closesocket(socket_);
    WSACleanup();
  }
  Listener(const Listener&) = delete;
  Listener& operator=(const Listener&) = delete;
  bool listening() const { return listening_; }
  bool Knocked() const { return knocked_; }

 private:
  void Serve() {
    while (!stop_) {
      fd_set readable;
      FD_ZERO(&readable);
      FD_SET(socket_, &readable);
      timeval wait = {0, 50 * 1000};
      if (select(0, &readable, nullptr, nullptr, &wait) != 1) continue;
      SOCKET client = accept(socket_, nullptr, nullptr);
      if (client == INVALID_SOCKET) continue;
      knocked_ = true;
      closesocket(client);
    }
  }

  SOCKET socket_ = INVALID_SOCKET;
  bool listening_ = false;
  std::atomic<bool> stop_{false};
  std::atomic<bool> knocked_{false};
  std::thread thread_;
};

// Revocation is asked of cached data only: a signer whose revocation list lies on a server is
// neither refused for that nor sent to fetch it.
TEST_F(PublisherCheck, RevocationIsJudgedFromCachedDataOnly) {
  {
    Listener crlServer;
    if (!crlServer.listening()) GTEST_SKIP() << "port " << SIGNATURE_CRL_PORT << " is taken on this machine";
    EXPECT_TRUE(Accepted("crl_point.exe"));
    EXPECT_TRUE(repair::SignedByListedPublisher(Sample("crl_point.exe"), testPublisher_, nullptr));
    EXPECT_FALSE(crlServer.Knocked()) << "the publisher check went to fetch the revocation list";
  }
  // The listener does see a fetch: the same list asked for from the wire.
  Listener crlServer;
  ASSERT_TRUE(crlServer.listening());
  const std::wstring url = L"http://127.0.0.1:" + std::to_wstring(SIGNATURE_CRL_PORT) + L"/tessavane-test.crl";
  void* crl = nullptr;
  CryptRetrieveObjectByUrlW(url.c_str(), CONTEXT_OID_CRL, CRYPT_WIRE_ONLY_RETRIEVAL, 5000, &crl, nullptr, nullptr,
                            nullptr, nullptr);
  if (crl) CertFreeCRLContext(static_cast<PCCRL_CONTEXT>(crl));
  EXPECT_TRUE(crlServer.Knocked());
}

// What the repairs ask: this build's publishers and the prefix's machine Root store, which the
// test run made trust the test root as Windows trusts the vendors'.
TEST_F(PublisherCheck, ThisBuildTrustsTheTestPublisherThroughTheMachinesRoots) {
  EXPECT_TRUE(repair::SignedByTrustedPublisher(Sample("signed.exe")));
  EXPECT_FALSE(repair::SignedByTrustedPublisher(Sample("impostor.exe")));
  EXPECT_FALSE(repair::SignedByTrustedPublisher(Sample("unsigned.exe")));
  EXPECT_FALSE(repair::SignedByTrustedPublisher(Sample("padded.exe")));
}

// The key CMake computed for the test root (openssl, at configure time) is the one this check
// computes from the certificate.
TEST_F(PublisherCheck, TheBuildPinsTheTestRootByTheKeyTheCheckComputes) {
  EXPECT_TRUE(repair::PublisherPinned(repair::PinnedPublishers(), kName, testKey_));
  EXPECT_FALSE(repair::PublisherPinned(repair::PinnedPublishers(), kName, impostorKey_));
}

// Microsoft's pinned roots are the ones Wine's crypt32 ships in the machine's Root store, and
// the keys CMake names are the ones this check computes from them.
TEST_F(PublisherCheck, MicrosoftsPinnedRootsAreItsRootsInTheMachineStore) {
  std::set<std::string> microsoftRoots;
  HCERTSTORE root = CertOpenStore(CERT_STORE_PROV_SYSTEM_W, 0, 0,
                                  CERT_SYSTEM_STORE_LOCAL_MACHINE | CERT_STORE_READONLY_FLAG, L"Root");
  ASSERT_NE(root, nullptr);
  for (PCCERT_CONTEXT c = nullptr; (c = CertEnumCertificatesInStore(root, c)) != nullptr;)
    if (CommonName(c).rfind("Microsoft Root", 0) == 0) microsoftRoots.insert(repair::RootKeyOf(c));
  CertCloseStore(root, 0);
  for (const auto& publisher : repair::PinnedPublishers()) {
    if (publisher.name != "Microsoft Corporation") continue;
    ASSERT_EQ(publisher.rootKeys.size(), 4u);
    for (const std::string& key : publisher.rootKeys) EXPECT_EQ(microsoftRoots.count(key), 1u) << key;
  }
}

}  // namespace
