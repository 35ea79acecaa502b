#include "catalogue_signer.h"

#include <sodium.h>

#include <cstring>
#include <fstream>
#include <sstream>

#include <nlohmann/json.hpp>

#include "net/file_sha256.h"

namespace test_signing {

namespace {

std::string Hex(const unsigned char* bytes, size_t size) {
  std::string out(size * 2 + 1, '\0');
  sodium_bin2hex(&out[0], out.size(), bytes, size);
  out.pop_back();
  return out;
}

std::string Base64(const std::string& bytes) {
  std::string out(sodium_base64_ENCODED_LEN(bytes.size(), sodium_base64_VARIANT_ORIGINAL), '\0');
  sodium_bin2base64(&out[0], out.size(), reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(),
                    sodium_base64_VARIANT_ORIGINAL);
  out.pop_back();
  return out;
}

}  // namespace

net::CataloguePublicKey Key::Public() const {
  net::CataloguePublicKey key;
  std::memcpy(key.data(), publicKey, key.size());
  return key;
}

std::string Key::PublicHex() const { return Hex(publicKey, sizeof publicKey); }

Key NewKey() {
  if (sodium_init() < 0) std::abort();
  Key key;
  crypto_sign_keypair(key.publicKey, key.secretKey);
  return key;
}

bool KeyFromPem(const std::string& path, Key& out) {
  std::ifstream in(path);
  std::string line, base64;
  while (std::getline(in, line))
    if (!line.empty() && line[0] != '-') base64 += line;
  // PKCS#8 of an Ed25519 key: 16 bytes of fixed header, then the 32-byte seed.
  unsigned char der[64];
  size_t size = 0;
  if (sodium_init() < 0 ||
      sodium_base642bin(der, sizeof der, base64.data(), base64.size(), "\r\n", &size, nullptr,
                        sodium_base64_VARIANT_ORIGINAL) != 0 ||
      size != 48)
    return false;
  return crypto_sign_seed_keypair(out.publicKey, out.secretKey, der + 16) == 0;
}

std::string Document(const std::string& payload, const std::vector<const Key*>& signers) {
  nlohmann::json signatures = nlohmann::json::array();
  for (const Key* key : signers) {
    unsigned char signature[crypto_sign_BYTES];
    crypto_sign_detached(signature, nullptr, reinterpret_cast<const unsigned char*>(payload.data()), payload.size(),
                         key->secretKey);
    signatures.push_back({{"publicKey", key->PublicHex()}, {"signature", Hex(signature, sizeof signature)}});
  }
  nlohmann::json document{
      {"format", "tessavane-signed-catalogue"}, {"payload", Base64(payload)}, {"signatures", signatures}};
  return document.dump();
}

std::string WithPayload(const std::string& document, const std::string& payload) {
  nlohmann::json j = nlohmann::json::parse(document);
  j["payload"] = Base64(payload);
  return j.dump();
}

std::string PayloadOf(const std::string& document) {
  const std::string text = nlohmann::json::parse(document)["payload"].get<std::string>();
  std::string bytes(text.size(), '\0');
  size_t size = 0;
  sodium_base642bin(reinterpret_cast<unsigned char*>(&bytes[0]), bytes.size(), text.data(), text.size(), nullptr,
                    &size, nullptr, sodium_base64_VARIANT_ORIGINAL);
  bytes.resize(size);
  return bytes;
}

std::string Payload::Text() const {
  std::ostringstream out;
  out << R"({"format":"tessavane-catalogue","version":)" << version << R"(,"expires":)" << expires << "," << links
      << R"(,"filesList":)" << common << R"(,"runtime":)" << runtime << R"(,"dx":)" << dx << R"(,"system":)" << system
      << "}";
  return out.str();
}

bool AddFileFacts(FileFacts& facts, const std::string& url, const std::string& localPath) {
  std::string sha;
  uint64_t size = 0;
  if (!net::FileSha256AndSize(localPath, sha, size)) return false;
  facts[url] = {sha, size};
  return true;
}

std::string PayloadCovering(const std::string& commonReply, const std::string& runtimeReply,
                            const std::string& dxReply, const std::string& systemReply, const FileFacts& files,
                            uint64_t version, int64_t expires) {
  using nlohmann::json;
  auto described = [&files](json list) {
    for (json& e : list) {
      auto known = files.find(e.value("downloadUrl", std::string()));
      e["fileSha256"] = known != files.end() ? known->second.first : std::string(64, '0');
      e["fileSize"] = known != files.end() ? known->second.second : 1;
    }
    return list;
  };
  const json common = json::parse(commonReply)["data"];
  json payload{{"format", "tessavane-catalogue"}, {"version", version}, {"expires", expires},
               {"kfUrl", common["kfUrl"]}, {"xyUrl", common["xyUrl"]}, {"secretUrl", common["secretUrl"]},
               {"filesList", described(common["filesList"])},
               {"runtime", described(json::parse(runtimeReply)["data"])},
               {"dx", described(json::parse(dxReply)["data"])},
               {"system", described(json::parse(systemReply)["data"])}};
  return payload.dump();
}

std::string EditedPayload(const std::string& payload, const std::function<void(nlohmann::json&)>& edit) {
  nlohmann::json j = nlohmann::json::parse(payload);
  edit(j);
  return j.dump();
}

}  // namespace test_signing
