#include "net/file_sha256.h"

#include <sodium.h>

#include <cstdio>
#include <memory>

namespace net {

namespace {

// Stops as soon as the file has grown past `limit` bytes.
bool HashUpTo(const std::string& path, uint64_t limit, std::string& sha256, uint64_t& size) {
  if (sodium_init() < 0) return false;
  std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "rb"), std::fclose);
  if (!file) return false;
  crypto_hash_sha256_state state;
  crypto_hash_sha256_init(&state);
  constexpr size_t kBlock = 1 << 16;
  std::unique_ptr<unsigned char[]> block(new unsigned char[kBlock]);
  uint64_t total = 0;
  size_t got = 0;
  while ((got = std::fread(block.get(), 1, kBlock, file.get())) > 0) {
    crypto_hash_sha256_update(&state, block.get(), got);
    total += got;
    if (total > limit) return false;
  }
  if (std::ferror(file.get())) return false;
  unsigned char digest[crypto_hash_sha256_BYTES];
  crypto_hash_sha256_final(&state, digest);
  char hex[crypto_hash_sha256_BYTES * 2 + 1];
  sodium_bin2hex(hex, sizeof hex, digest, sizeof digest);
  sha256 = hex;
  size = total;
  return true;
}

}  // namespace

bool FileSha256AndSize(const std::string& path, std::string& sha256, uint64_t& size) {
  return HashUpTo(path, UINT64_MAX, sha256, size);
}

bool FileMatchesSignedDigest(const std::string& path, const std::string& sha256, uint64_t size) {
  std::string actual;
  uint64_t actualSize = 0;
  return !sha256.empty() && HashUpTo(path, size, actual, actualSize) && actualSize == size && actual == sha256;
}

}  // namespace net
