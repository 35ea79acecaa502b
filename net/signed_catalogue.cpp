#include "net/signed_catalogue.h"

#include <sodium.h>

#include <set>
#include <utility>

#include <nlohmann/json.hpp>

#include "catalogue_rules/catalogue_rules.h"
#include "net/json_fields.h"

namespace net {

using nlohmann::json;
namespace jf = json_fields;

namespace {

constexpr char kEnvelopeFormat[] = "tessavane-signed-catalogue";
constexpr char kPayloadFormat[] = "tessavane-catalogue";
// Far above any real catalogue (the sample is 20 KB); a reply beyond it is not decoded at all.
constexpr size_t kMaxPayloadBytes = 8u << 20;

bool FromHex(const std::string& hex, unsigned char* out, size_t size) {
  if (hex.size() != size * 2) return false;
  for (char c : hex)
    if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'))) return false;
  size_t written = 0;
  return sodium_hex2bin(out, size, hex.data(), hex.size(), nullptr, &written, nullptr) == 0 && written == size;
}

bool FromBase64(const std::string& text, std::string& out) {
  if (text.size() > kMaxPayloadBytes / 3 * 4 + 4) return false;
  std::string bytes(text.size() / 4 * 3 + 3, '\0');
  size_t written = 0;
  const char* end = nullptr;
  if (sodium_base642bin(reinterpret_cast<unsigned char*>(&bytes[0]), bytes.size(), text.data(), text.size(), nullptr,
                        &written, &end, sodium_base64_VARIANT_ORIGINAL) != 0 ||
      end != text.data() + text.size())
    return false;
  bytes.resize(written);
  out = std::move(bytes);
  return true;
}

bool IsLowerHexDigest(const std::string& text) {
  if (text.size() != 64) return false;
  for (char c : text)
    if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
  return true;
}

// The signature by one of the embedded keys; kUnknownKey when none of them signed.
DocumentVerdict CheckSignatures(const json& signatures, const std::string& payload,
                                const std::vector<CataloguePublicKey>& keys) {
  if (!signatures.is_array()) return DocumentVerdict::kMalformed;
  bool signedByKnownKey = false;
  for (const json& s : signatures) {
    std::string keyHex, signatureHex;
    if (!s.is_object() || !jf::ReadText(s, "publicKey", keyHex) || !jf::ReadText(s, "signature", signatureHex))
      return DocumentVerdict::kMalformed;
    CataloguePublicKey key{};
    unsigned char signature[crypto_sign_BYTES];
    if (!ParseCataloguePublicKey(keyHex, key) || !FromHex(signatureHex, signature, sizeof signature))
      return DocumentVerdict::kMalformed;
    bool known = false;
    for (const CataloguePublicKey& k : keys) known = known || sodium_memcmp(k.data(), key.data(), key.size()) == 0;
    if (!known) continue;
    signedByKnownKey = true;
    if (crypto_sign_verify_detached(signature, reinterpret_cast<const unsigned char*>(payload.data()), payload.size(),
                                    key.data()) == 0)
      return DocumentVerdict::kAccepted;
  }
  return signedByKnownKey ? DocumentVerdict::kBadSignature : DocumentVerdict::kUnknownKey;
}

bool ReadUnsigned(const json& object, const char* key, uint64_t& out) {
  auto it = object.find(key);
  if (it == object.end() || !it->is_number_integer()) return false;
  if (it->is_number_unsigned()) {
    out = it->get<uint64_t>();
    return true;
  }
  const int64_t v = it->get<int64_t>();
  if (v < 0) return false;
  out = static_cast<uint64_t>(v);
  return true;
}

bool ReadEntries(const json& payload, const DisplayTextConverter& convert, std::vector<SignedEntry>& out) {
  std::set<std::pair<int, int>> seen;
  struct ListKey {
    const char* key;
    int kind;
  };
  for (ListKey list : {ListKey{"filesList", kCommonFiles}, ListKey{"runtime", kRuntimeFiles},
                       ListKey{"dx", kDirectXFiles}, ListKey{"system", kSystemFiles}}) {
    auto it = payload.find(list.key);
    if (it == payload.end()) continue;
    if (!it->is_array()) return false;
    for (const json& e : *it) {
      if (!e.is_object()) return false;
      SignedEntry entry;
      entry.kind = list.kind;
      const EntryRead read = ReadListEntry(list.kind, e, convert, entry.file, entry.type);
      if (read == EntryRead::kMalformed) return false;
      // Every entry carries its file's SHA-256 and size; an entry without them is a document
      // no signing tool of ours made.
      if (!jf::ReadText(e, "fileSha256", entry.file.fileSha256) || !IsLowerHexDigest(entry.file.fileSha256) ||
          !ReadUnsigned(e, "fileSize", entry.file.fileSize) || entry.file.fileSize == 0)
        return false;
      if (!seen.insert({entry.kind, entry.file.id}).second) return false;
      if (read == EntryRead::kUsable) out.push_back(std::move(entry));
    }
  }
  return true;
}

bool ReadPayload(const std::string& bytes, const DisplayTextConverter& convert, SignedCatalogue& out) {
  const json payload = json::parse(bytes, nullptr, /*allow_exceptions=*/false);
  std::string format;
  if (payload.is_discarded() || !payload.is_object() || !jf::ReadText(payload, "format", format) ||
      format != kPayloadFormat)
    return false;
  uint64_t expires = 0;
  if (!ReadUnsigned(payload, "version", out.version) || out.version == 0 || !ReadUnsigned(payload, "expires", expires) ||
      expires > static_cast<uint64_t>(INT64_MAX))
    return false;
  out.expires = static_cast<int64_t>(expires);
  if (!jf::ReadText(payload, "kfUrl", out.kfUrl) || !jf::ReadText(payload, "xyUrl", out.xyUrl) ||
      !jf::ReadText(payload, "secretUrl", out.secretUrl))
    return false;
  for (std::string* link : {&out.kfUrl, &out.xyUrl, &out.secretUrl})
    if (!IsWebUrl(*link)) link->clear();
  return ReadEntries(payload, convert, out.entries);
}

bool SameVersion(const RuntimeVersion& a, const RuntimeVersion& b) {
  return a.major == b.major && a.minor == b.minor && a.build == b.build;
}

}  // namespace

bool ParseCataloguePublicKey(const std::string& hex, CataloguePublicKey& key) {
  return sodium_init() >= 0 && FromHex(hex, key.data(), key.size());
}

const SignedEntry* SignedCatalogue::Find(int kind, int id) const {
  for (const SignedEntry& e : entries)
    if (e.kind == kind && e.file.id == id) return &e;
  return nullptr;
}

DocumentVerdict ReadSignedCatalogue(const std::string& document, const std::vector<CataloguePublicKey>& keys,
                                    int64_t now, uint64_t newestAccepted, const DisplayTextConverter& convert,
                                    SignedCatalogue& out) {
  if (sodium_init() < 0) return DocumentVerdict::kMalformed;
  const json envelope = json::parse(document, nullptr, /*allow_exceptions=*/false);
  if (envelope.is_discarded() || !envelope.is_object()) return DocumentVerdict::kMissing;
  std::string format, payloadText;
  if (!jf::ReadText(envelope, "format", format) || format != kEnvelopeFormat) return DocumentVerdict::kMissing;
  auto signatures = envelope.find("signatures");
  if (!jf::ReadText(envelope, "payload", payloadText) || signatures == envelope.end())
    return DocumentVerdict::kMalformed;
  std::string payload;
  if (!FromBase64(payloadText, payload)) return DocumentVerdict::kMalformed;
  const DocumentVerdict signature = CheckSignatures(*signatures, payload, keys);
  if (signature != DocumentVerdict::kAccepted) return signature;
  SignedCatalogue read;
  if (!ReadPayload(payload, convert, read)) return DocumentVerdict::kMalformed;
  if (read.expires <= now) return DocumentVerdict::kExpired;
  if (read.version < newestAccepted) return DocumentVerdict::kRolledBack;
  out = std::move(read);
  return DocumentVerdict::kAccepted;
}

bool CoveredBy(const SignedCatalogue& document, int kind, int type, CatalogueFile& entry) {
  const SignedEntry* signedEntry = document.Find(kind, entry.id);
  if (!signedEntry || signedEntry->type != type) return false;
  const CatalogueFile& s = signedEntry->file;
  const bool same = s.downloadUrl == entry.downloadUrl && s.fileName == entry.fileName &&
                    s.fileMd5 == entry.fileMd5 && s.imgUrl == entry.imgUrl && s.memo == entry.memo &&
                    s.regeditName == entry.regeditName && s.silentParam == entry.silentParam &&
                    s.hasMinVersion == entry.hasMinVersion && SameVersion(s.minVersion, entry.minVersion) &&
                    s.gameRepair == entry.gameRepair && s.systemBit == entry.systemBit &&
                    s.filePath == entry.filePath && s.isKey == entry.isKey;
  if (!same) return false;
  entry.fileSha256 = s.fileSha256;
  entry.fileSize = s.fileSize;
  return true;
}

}  // namespace net
