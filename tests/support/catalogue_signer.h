#pragma once
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include <nlohmann/json.hpp>

#include "net/signed_catalogue.h"

// Signs catalogue documents in tests as the operator's tool does: Ed25519 over the payload's
// bytes, the envelope on one line (so that a proxy rule can carry it).
namespace test_signing {

struct Key {
  unsigned char publicKey[32];
  unsigned char secretKey[64];
  net::CataloguePublicKey Public() const;
  std::string PublicHex() const;
};

Key NewKey();
// The key of a PKCS#8 PEM file of the kind `openssl genpkey -algorithm ed25519` writes (the
// test keys in the cache); false when the file is not one.
bool KeyFromPem(const std::string& path, Key& out);

std::string Document(const std::string& payload, const std::vector<const Key*>& signers);
// The same signatures over another payload: a document changed after it was signed.
std::string WithPayload(const std::string& document, const std::string& payload);
std::string PayloadOf(const std::string& document);

// A payload: the lists as JSON arrays of entries in the replies' shape (each with its
// fileSha256 and fileSize), the links, the version and the expiry.
struct Payload {
  uint64_t version = 1;
  int64_t expires = 0;
  std::string links = R"("kfUrl":"https://cat/k","xyUrl":"https://cat/x","secretUrl":"https://cat/s")";
  std::string common = "[]", runtime = "[]", dx = "[]", system = "[]";
  std::string Text() const;
};

// The SHA-256 and size of each file a test's catalogue really serves, by download address.
using FileFacts = std::map<std::string, std::pair<std::string, uint64_t>>;
bool AddFileFacts(FileFacts& facts, const std::string& url, const std::string& localPath);

// A payload that vouches for every entry of the four list replies exactly as they are, with the
// common reply's links: what an operator who signed that catalogue would have signed. Files not
// in `files` (never meant to be fetched) get a made-up digest.
std::string PayloadCovering(const std::string& commonReply, const std::string& runtimeReply,
                            const std::string& dxReply, const std::string& systemReply, const FileFacts& files,
                            uint64_t version, int64_t expires);

// The payload of a document changed by `edit` (its JSON), serialised again.
std::string EditedPayload(const std::string& payload, const std::function<void(nlohmann::json&)>& edit);

}  // namespace test_signing
