#pragma once
#include <cstdint>
#include <string>
#include <vector>

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

}  // namespace test_signing
