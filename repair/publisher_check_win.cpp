#include "repair/publisher_check_win.h"

#include <softpub.h>
#include <wintrust.h>

#include <algorithm>

#include "net/tls_chain_win.h"
#include "platform/text_conversion.h"
#include "repair/pe_certificate_table.h"

namespace repair {

namespace {

std::string CommonNameOf(PCCERT_CONTEXT certificate) {
  char oid[] = szOID_COMMON_NAME;
  wchar_t name[256] = {};
  if (CertGetNameStringW(certificate, CERT_NAME_ATTR_TYPE, 0, oid, name, 256) <= 1) return {};
  return platform::WideToUtf8(name);
}

// The chain's trust problems that are not this check's to judge: time (see the header) and a
// revocation status that cached data cannot tell, as on a PC offline. A revocation that
// cached data does show (CERT_TRUST_IS_REVOKED) is judged, and refused.
constexpr DWORD kNotJudgedHere = CERT_TRUST_IS_NOT_TIME_VALID | CERT_TRUST_IS_NOT_TIME_NESTED |
                                 CERT_TRUST_CTL_IS_NOT_TIME_VALID | CERT_TRUST_REVOCATION_STATUS_UNKNOWN |
                                 CERT_TRUST_IS_OFFLINE_REVOCATION;

// The file's bytes through an open handle, for the certificate table's parser.
class HandleBytes : public ByteSource {
 public:
  explicit HandleBytes(HANDLE file) : file_(file) {
    LARGE_INTEGER size = {};
    if (GetFileSizeEx(file, &size)) size_ = static_cast<uint64_t>(size.QuadPart);
  }
  uint64_t Size() const override { return size_; }
  bool Read(uint64_t offset, size_t length, uint8_t* out) const override {
    if (offset > size_ || length > size_ - offset) return false;
    while (length > 0) {
      OVERLAPPED at = {};
      at.Offset = static_cast<DWORD>(offset);
      at.OffsetHigh = static_cast<DWORD>(offset >> 32);
      const DWORD chunk = static_cast<DWORD>(std::min<size_t>(length, 1u << 20));
      DWORD read = 0;
      if (!ReadFile(file_, out, chunk, &read, &at) || read == 0) return false;
      offset += read;
      out += read;
      length -= read;
    }
    return true;
  }

 private:
  HANDLE file_;
  uint64_t size_ = 0;
};

// Whether the signer's chain, built with the certificates the signature carries, allows code
// signing all the way, is not known to be revoked, and ends in a root the engine trusts whose
// key the publisher named name is pinned to.
bool ChainPinned(PCCERT_CONTEXT signer, HCRYPTMSG message, HCERTCHAINENGINE engine, const std::string& name,
                 const std::vector<TrustedPublisher>& publishers) {
  HCERTSTORE carried = message ? CertOpenStore(CERT_STORE_PROV_MSG, X509_ASN_ENCODING | PKCS_7_ASN_ENCODING, 0, 0,
                                               message)
                               : nullptr;
  bool pinned = false;
  if (PCCERT_CHAIN_CONTEXT chain =
          net::ChainForUsage(signer, szOID_PKIX_KP_CODE_SIGNING, carried, engine, kPublisherChainFlags)) {
    CERT_CHAIN_POLICY_PARA policy = {};
    policy.cbSize = sizeof policy;
    policy.dwFlags = CERT_CHAIN_POLICY_IGNORE_ALL_NOT_TIME_VALID_FLAGS | CERT_CHAIN_POLICY_IGNORE_ALL_REV_UNKNOWN_FLAGS;
    CERT_CHAIN_POLICY_STATUS status = {};
    status.cbSize = sizeof status;
    const bool anchored = (chain->TrustStatus.dwErrorStatus & ~kNotJudgedHere) == 0 &&
                          CertVerifyCertificateChainPolicy(CERT_CHAIN_POLICY_BASE, chain, &policy, &status) &&
                          status.dwError == 0;
    // One simple chain (no trust list), its last element the root.
    if (anchored && chain->cChain == 1 && chain->rgpChain[0]->cElement > 0) {
      const CERT_SIMPLE_CHAIN* simple = chain->rgpChain[0];
      pinned = PublisherPinned(publishers, name, RootKeyOf(simple->rgpElement[simple->cElement - 1]->pCertContext));
    }
    CertFreeCertificateChain(chain);
  }
  if (carried) CertCloseStore(carried, 0);
  return pinned;
}

}  // namespace

std::string RootKeyOf(PCCERT_CONTEXT certificate) {
  size_t offset = 0, length = 0;
  if (!certificate ||
      !SubjectPublicKeyInfoSpan(certificate->pbCertEncoded, certificate->cbCertEncoded, offset, length))
    return {};
  BYTE hash[32];
  DWORD hashSize = sizeof hash;
  if (!CryptHashCertificate2(BCRYPT_SHA256_ALGORITHM, 0, nullptr, certificate->pbCertEncoded + offset,
                             static_cast<DWORD>(length), hash, &hashSize) ||
      hashSize != sizeof hash)
    return {};
  return HexOf(hash, sizeof hash);
}

HCERTCHAINENGINE MachineRootChainEngine() {
  HCERTSTORE machineRoot = CertOpenStore(CERT_STORE_PROV_SYSTEM_W, 0, 0,
                                         CERT_SYSTEM_STORE_LOCAL_MACHINE | CERT_STORE_READONLY_FLAG |
                                             CERT_STORE_OPEN_EXISTING_FLAG,
                                         L"Root");
  if (!machineRoot) return nullptr;
  CERT_CHAIN_ENGINE_CONFIG config = {};
  config.cbSize = sizeof config;
  config.hExclusiveRoot = machineRoot;
  config.dwFlags = CERT_CHAIN_CACHE_ONLY_URL_RETRIEVAL;
  HCERTCHAINENGINE engine = nullptr;
  if (!CertCreateCertificateChainEngine(&config, &engine)) engine = nullptr;
  CertCloseStore(machineRoot, 0);  // the engine holds its own reference
  return engine;
}

bool SignedByListedPublisher(const std::string& path, const std::vector<TrustedPublisher>& publishers,
                             HCERTCHAINENGINE engine) {
  std::wstring widePath = platform::AnsiToWide(path.c_str());
  // Opened once, without sharing it for writing: the table judged here and the signature
  // WinVerifyTrust checks are the same bytes.
  HANDLE handle = CreateFileW(widePath.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return false;
  if (!CertificateTableSound(CheckCertificateTable(HandleBytes(handle)))) {
    CloseHandle(handle);
    return false;
  }
  LARGE_INTEGER start = {};
  SetFilePointerEx(handle, start, nullptr, FILE_BEGIN);
  HCERTCHAINENGINE ownEngine = engine ? nullptr : MachineRootChainEngine();
  if (!engine && !ownEngine) {
    CloseHandle(handle);
    return false;
  }

  WINTRUST_FILE_INFO file = {};
  file.cbStruct = sizeof file;
  file.pcwszFilePath = widePath.c_str();
  file.hFile = handle;
  WINTRUST_DATA data = {};
  data.cbStruct = sizeof data;
  data.dwUIChoice = WTD_UI_NONE;
  // Revocation is judged on the chain below, from cached data only: asking WinVerifyTrust for
  // it would refuse every file on a PC without the network, which is when runtimes are missing.
  data.fdwRevocationChecks = WTD_REVOKE_NONE;
  data.dwUnionChoice = WTD_CHOICE_FILE;
  data.pFile = &file;
  data.dwStateAction = WTD_STATEACTION_VERIFY;
  data.dwProvFlags = WTD_CACHE_ONLY_URL_RETRIEVAL;
  GUID action = WINTRUST_ACTION_GENERIC_VERIFY_V2;
  const HWND noUser = static_cast<HWND>(INVALID_HANDLE_VALUE);
  bool trusted = false;
  if (WinVerifyTrust(noUser, &action, &data) == ERROR_SUCCESS) {
    CRYPT_PROVIDER_DATA* provider = WTHelperProvDataFromStateData(data.hWVTStateData);
    CRYPT_PROVIDER_SGNR* signer = provider ? WTHelperGetProvSignerFromChain(provider, 0, FALSE, 0) : nullptr;
    CRYPT_PROVIDER_CERT* certificate = signer ? WTHelperGetProvCertFromChain(signer, 0) : nullptr;
    if (certificate && certificate->pCert) {
      const std::string name = CommonNameOf(certificate->pCert);
      trusted = ChainPinned(certificate->pCert, provider->hMsg, engine ? engine : ownEngine, name, publishers);
    }
  }
  data.dwStateAction = WTD_STATEACTION_CLOSE;
  WinVerifyTrust(noUser, &action, &data);
  if (ownEngine) CertFreeCertificateChainEngine(ownEngine);
  CloseHandle(handle);
  return trusted;
}

bool SignedByTrustedPublisher(const std::string& path) { return SignedByListedPublisher(path, PinnedPublishers()); }

}  // namespace repair
