#include "signing/ed25519_keys.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>

#include <openssl/pem.h>

#include "util/digests.h"

namespace catalogue {
namespace {

bool from_hex(const std::string& hex, std::vector<unsigned char>& out) {
  if (hex.size() % 2) return false;
  out.clear();
  for (size_t i = 0; i < hex.size(); i += 2) {
    auto nibble = [](char c) -> int {
      if (c >= '0' && c <= '9') return c - '0';
      if (c >= 'a' && c <= 'f') return c - 'a' + 10;
      if (c >= 'A' && c <= 'F') return c - 'A' + 10;
      return -1;
    };
    int hi = nibble(hex[i]), lo = nibble(hex[i + 1]);
    if (hi < 0 || lo < 0) return false;
    out.push_back(static_cast<unsigned char>(hi << 4 | lo));
  }
  return true;
}

std::shared_ptr<EVP_PKEY> own(EVP_PKEY* key) { return std::shared_ptr<EVP_PKEY>(key, EVP_PKEY_free); }

bool fill_public_hex(SigningKey& key) {
  unsigned char raw[32];
  size_t size = sizeof raw;
  if (EVP_PKEY_get_raw_public_key(key.key.get(), raw, &size) != 1 || size != sizeof raw) return false;
  key.public_hex = hex_of(raw, size);
  return true;
}

}  // namespace

bool is_public_key_hex(const std::string& text) {
  std::vector<unsigned char> bytes;
  return text.size() == 64 && from_hex(text, bytes);
}

bool load_signing_key(const std::string& pem_path, SigningKey& out, std::string& error) {
  FILE* file = std::fopen(pem_path.c_str(), "r");
  if (!file) {
    error = "cannot read the key file " + pem_path;
    return false;
  }
  EVP_PKEY* key = PEM_read_PrivateKey(file, nullptr, nullptr, nullptr);
  std::fclose(file);
  if (!key || EVP_PKEY_id(key) != EVP_PKEY_ED25519) {
    if (key) EVP_PKEY_free(key);
    error = pem_path + " is not an Ed25519 private key (PKCS#8 PEM)";
    return false;
  }
  out.key = own(key);
  if (!fill_public_hex(out)) {
    error = "cannot read the public half of " + pem_path;
    return false;
  }
  return true;
}

bool generate_signing_key(const std::string& pem_path, SigningKey& out, std::string& error) {
  std::shared_ptr<EVP_PKEY_CTX> ctx(EVP_PKEY_CTX_new_id(EVP_PKEY_ED25519, nullptr), EVP_PKEY_CTX_free);
  EVP_PKEY* key = nullptr;
  if (!ctx || EVP_PKEY_keygen_init(ctx.get()) != 1 || EVP_PKEY_keygen(ctx.get(), &key) != 1) {
    error = "cannot make an Ed25519 key";
    return false;
  }
  out.key = own(key);
  // O_EXCL: a key that exists is never overwritten, since every program built with its public
  // half would then refuse the catalogue.
  int fd = open(pem_path.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600);
  if (fd < 0) {
    error = "cannot create " + pem_path + " (it must not exist yet)";
    return false;
  }
  FILE* file = fdopen(fd, "w");
  const bool written = file && PEM_write_PrivateKey(file, key, nullptr, nullptr, 0, nullptr, nullptr) == 1;
  if (file) std::fclose(file);
  else close(fd);
  if (!written || !fill_public_hex(out)) {
    unlink(pem_path.c_str());
    error = "cannot write " + pem_path;
    return false;
  }
  return true;
}

bool read_public_keys(const std::string& path, std::vector<std::string>& out, std::string& error) {
  std::ifstream in(path);
  if (!in) {
    error = "cannot read the public key file " + path;
    return false;
  }
  out.clear();
  std::string line;
  int number = 0;
  while (std::getline(in, line)) {
    ++number;
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t')) line.pop_back();
    size_t start = line.find_first_not_of(" \t");
    if (start == std::string::npos || line[start] == '#') continue;
    line = line.substr(start);
    for (char& c : line) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    if (!is_public_key_hex(line)) {
      error = path + " line " + std::to_string(number) + ": not a public key of 64 hexadecimal digits";
      return false;
    }
    out.push_back(line);
  }
  if (out.empty()) {
    error = path + " names no public key";
    return false;
  }
  return true;
}

std::string sign_bytes(const SigningKey& key, const std::string& bytes) {
  std::shared_ptr<EVP_MD_CTX> ctx(EVP_MD_CTX_new(), EVP_MD_CTX_free);
  unsigned char signature[64];
  size_t size = sizeof signature;
  if (!ctx || EVP_DigestSignInit(ctx.get(), nullptr, nullptr, nullptr, key.key.get()) != 1 ||
      EVP_DigestSign(ctx.get(), signature, &size, reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size()) != 1 ||
      size != sizeof signature)
    return std::string();
  return hex_of(signature, size);
}

bool verify_bytes(const std::string& public_hex, const std::string& signature_hex, const std::string& bytes) {
  std::vector<unsigned char> raw, signature;
  if (!from_hex(public_hex, raw) || raw.size() != 32 || !from_hex(signature_hex, signature) || signature.size() != 64)
    return false;
  std::shared_ptr<EVP_PKEY> key = own(EVP_PKEY_new_raw_public_key(EVP_PKEY_ED25519, nullptr, raw.data(), raw.size()));
  std::shared_ptr<EVP_MD_CTX> ctx(EVP_MD_CTX_new(), EVP_MD_CTX_free);
  return key && ctx && EVP_DigestVerifyInit(ctx.get(), nullptr, nullptr, nullptr, key.get()) == 1 &&
         EVP_DigestVerify(ctx.get(), signature.data(), signature.size(),
                          reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size()) == 1;
}

}  // namespace catalogue
