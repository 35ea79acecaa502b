#pragma once
#include <memory>
#include <string>
#include <vector>

#include <openssl/evp.h>

namespace catalogue {

// An operator's Ed25519 catalogue key: the private half as PKCS#8 PEM (what `tessa-catalogue
// keygen` and `openssl genpkey -algorithm ed25519` write), the public half as 64 hexadecimal
// digits (what the program embeds and the server is configured with).
struct SigningKey {
  std::shared_ptr<EVP_PKEY> key;
  std::string public_hex;
};

// Reads a private key file; false with the reason when it is not an Ed25519 key.
bool load_signing_key(const std::string& pem_path, SigningKey& out, std::string& error);
// Makes a new key into a file that must not exist yet, readable by its owner only.
bool generate_signing_key(const std::string& pem_path, SigningKey& out, std::string& error);

// Public keys, one per line as 64 hexadecimal digits; blank lines and "#" comments ignored.
bool read_public_keys(const std::string& path, std::vector<std::string>& out, std::string& error);
bool is_public_key_hex(const std::string& text);

// Ed25519 over the bytes; the signature as 128 hexadecimal digits, empty on failure.
std::string sign_bytes(const SigningKey& key, const std::string& bytes);
bool verify_bytes(const std::string& public_hex, const std::string& signature_hex, const std::string& bytes);

}  // namespace catalogue
