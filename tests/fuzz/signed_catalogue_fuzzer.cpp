// Feeds arbitrary bytes to the signed catalogue's reader three ways: as the whole document, as
// a payload that a known key signed (so that the payload's reader is reached at all), and as
// installer switches. Beyond not crashing, whatever the reader accepts may only vouch for
// entries the program may use, each with a SHA-256 and a size.
#include <sodium.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "catalogue_rules/catalogue_rules.h"
#include "catalogue_rules/installer_switches.h"
#include "net/signed_catalogue.h"

namespace {

std::string Same(const std::string& text) { return text; }

void Check(bool condition) {
  if (!condition) std::abort();
}

struct FixedKey {
  FixedKey() {
    Check(sodium_init() >= 0);
    unsigned char seed[crypto_sign_SEEDBYTES] = {7};
    crypto_sign_seed_keypair(publicKey.data(), secretKey, seed);
  }
  net::CataloguePublicKey publicKey;
  unsigned char secretKey[crypto_sign_SECRETKEYBYTES];
};

std::string SignedEnvelope(const FixedKey& key, const std::string& payload) {
  unsigned char signature[crypto_sign_BYTES];
  crypto_sign_detached(signature, nullptr, reinterpret_cast<const unsigned char*>(payload.data()), payload.size(),
                       key.secretKey);
  char keyHex[65], signatureHex[129];
  sodium_bin2hex(keyHex, sizeof keyHex, key.publicKey.data(), key.publicKey.size());
  sodium_bin2hex(signatureHex, sizeof signatureHex, signature, sizeof signature);
  std::string base64(sodium_base64_ENCODED_LEN(payload.size(), sodium_base64_VARIANT_ORIGINAL), '\0');
  sodium_bin2base64(&base64[0], base64.size(), reinterpret_cast<const unsigned char*>(payload.data()), payload.size(),
                    sodium_base64_VARIANT_ORIGINAL);
  base64.pop_back();
  return std::string(R"({"format":"tessavane-signed-catalogue","payload":")") + base64 +
         R"(","signatures":[{"publicKey":")" + keyHex + R"(","signature":")" + signatureHex + R"("}]})";
}

void CheckAccepted(const net::SignedCatalogue& read) {
  Check(read.version > 0);
  for (const net::SignedEntry& e : read.entries) {
    Check(net::EntryIsUsable(e.kind, e.file));
    Check(e.file.fileSha256.size() == 64 && e.file.fileSize > 0);
    Check(net::SwitchesFromVocabulary(e.file.silentParam));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const FixedKey key;
  const std::string input(reinterpret_cast<const char*>(data), size);
  net::SignedCatalogue read;
  if (net::ReadSignedCatalogue(input, {key.publicKey}, 0, 0, Same, read) == net::DocumentVerdict::kAccepted)
    CheckAccepted(read);
  net::SignedCatalogue fromPayload;
  if (net::ReadSignedCatalogue(SignedEnvelope(key, input), {key.publicKey}, 0, 0, Same, fromPayload) ==
      net::DocumentVerdict::kAccepted)
    CheckAccepted(fromPayload);
  // Nothing the vocabulary lets through can end a quoted argument or start another command.
  if (net::SwitchesFromVocabulary(input)) Check(input.find_first_of("\"&|<>^%;\r\n\t\\") == std::string::npos);
  return 0;
}
