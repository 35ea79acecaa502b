#include "signing/signed_catalogue.h"

#include <openssl/evp.h>

#include <nlohmann/json.hpp>

#include "catalogue/entry_json.h"

namespace catalogue {
namespace {

using Json = nlohmann::json;

constexpr char envelope_format[] = "tessavane-signed-catalogue";
constexpr char payload_format[] = "tessavane-catalogue";

std::string base64_of(const std::string& bytes) {
  std::string out(4 * ((bytes.size() + 2) / 3) + 1, '\0');
  int n = EVP_EncodeBlock(reinterpret_cast<unsigned char*>(&out[0]), reinterpret_cast<const unsigned char*>(bytes.data()),
                          static_cast<int>(bytes.size()));
  out.resize(n < 0 ? 0 : static_cast<size_t>(n));
  return out;
}

bool from_base64(const std::string& text, std::string& out) {
  if (text.size() % 4 != 0) return false;
  std::string bytes(text.size() / 4 * 3 + 1, '\0');
  int n = EVP_DecodeBlock(reinterpret_cast<unsigned char*>(&bytes[0]), reinterpret_cast<const unsigned char*>(text.data()),
                          static_cast<int>(text.size()));
  if (n < 0) return false;
  // The decoder counts the padding as zero bytes.
  size_t padding = 0;
  for (size_t i = text.size(); i > 0 && text[i - 1] == '=' && padding < 2; --i) ++padding;
  out.assign(bytes.data(), static_cast<size_t>(n) - padding);
  return true;
}

}  // namespace

std::string build_signed_payload(const Catalogue& catalogue, const SignedFacts& facts, const std::string& public_base) {
  Json j{{"format", payload_format},
         {"version", facts.version},
         {"expires", facts.expires},
         {"kfUrl", catalogue.links.kfUrl},
         {"xyUrl", catalogue.links.xyUrl},
         {"secretUrl", catalogue.links.secretUrl}};
  for (ListKind kind : all_lists) j[list_file_key(kind)] = Json::array();
  for (const Entry& e : catalogue.entries) {
    Json entry = entry_to_json(e, public_base);
    entry["fileSha256"] = e.fileSha256;
    entry["fileSize"] = e.fileSize;
    j[list_file_key(e.list)].push_back(std::move(entry));
  }
  return j.dump(1, ' ', false, Json::error_handler_t::strict);
}

std::string seal_signed_document(const std::string& payload, const std::vector<SigningKey>& keys) {
  Json signatures = Json::array();
  for (const SigningKey& key : keys) {
    std::string signature = sign_bytes(key, payload);
    if (signature.empty()) return std::string();
    signatures.push_back({{"publicKey", key.public_hex}, {"signature", signature}});
  }
  Json document{{"format", envelope_format}, {"payload", base64_of(payload)}, {"signatures", signatures}};
  return document.dump(1) + "\n";
}

bool is_signed_document(const std::string& text) {
  Json j = Json::parse(text, nullptr, false);
  return !j.is_discarded() && j.is_object() && j.value("format", std::string()) == envelope_format;
}

bool open_signed_document(const std::string& document, const std::vector<std::string>& trusted_keys,
                          std::string& payload, std::string& error) {
  Json j = Json::parse(document, nullptr, false);
  auto payload_text = j.is_object() ? j.find("payload") : j.end();
  auto signatures = j.is_object() ? j.find("signatures") : j.end();
  if (j.is_discarded() || !j.is_object() || payload_text == j.end() || !payload_text->is_string() ||
      signatures == j.end() || !signatures->is_array()) {
    error = "not a signed catalogue document";
    return false;
  }
  std::string bytes;
  if (!from_base64(payload_text->get<std::string>(), bytes)) {
    error = "the document's payload is not base64";
    return false;
  }
  bool known_key = false;
  for (const Json& s : *signatures) {
    if (!s.is_object() || !s.contains("publicKey") || !s["publicKey"].is_string() || !s.contains("signature") ||
        !s["signature"].is_string())
      continue;
    const std::string key = s["publicKey"].get<std::string>();
    bool trusted = false;
    for (const std::string& k : trusted_keys) trusted = trusted || k == key;
    if (!trusted) continue;
    known_key = true;
    if (verify_bytes(key, s["signature"].get<std::string>(), bytes)) {
      payload = std::move(bytes);
      return true;
    }
  }
  error = known_key ? "the signature does not match the document: it was changed after signing"
                    : "no signature by a key in the configured public keys";
  return false;
}

bool read_signed_facts(const std::string& payload, SignedFacts& out) {
  Json j = Json::parse(payload, nullptr, false);
  if (j.is_discarded() || !j.is_object() || j.value("format", std::string()) != payload_format) return false;
  auto version = j.find("version");
  auto expires = j.find("expires");
  if (version == j.end() || !version->is_number_integer() || expires == j.end() || !expires->is_number_integer())
    return false;
  out.version = version->get<int64_t>();
  out.expires = expires->get<int64_t>();
  return out.version > 0;
}

}  // namespace catalogue
