#include "util/digests.h"

#include <openssl/evp.h>
#include <sys/random.h>

#include <cstdio>
#include <memory>
#include <vector>

namespace catalogue {

std::string hex_of(const unsigned char* data, size_t n) {
  static const char digits[] = "0123456789abcdef";
  std::string out;
  out.reserve(n * 2);
  for (size_t i = 0; i < n; ++i) {
    out += digits[data[i] >> 4];
    out += digits[data[i] & 15];
  }
  return out;
}

namespace {

using DigestContext = std::unique_ptr<EVP_MD_CTX, decltype(&EVP_MD_CTX_free)>;

std::string digest_of_file(const std::string& path, const EVP_MD* md, int64_t& size) {
  std::unique_ptr<FILE, decltype(&fclose)> file(fopen(path.c_str(), "rb"), &fclose);
  DigestContext ctx(EVP_MD_CTX_new(), &EVP_MD_CTX_free);
  if (!file || !ctx || EVP_DigestInit_ex(ctx.get(), md, nullptr) != 1) return std::string();
  std::vector<unsigned char> buffer(1 << 16);
  size_t n;
  size = 0;
  while ((n = fread(buffer.data(), 1, buffer.size(), file.get())) > 0) {
    if (EVP_DigestUpdate(ctx.get(), buffer.data(), n) != 1) return std::string();
    size += static_cast<int64_t>(n);
  }
  if (ferror(file.get())) return std::string();
  unsigned char digest[EVP_MAX_MD_SIZE];
  unsigned int length = 0;
  if (EVP_DigestFinal_ex(ctx.get(), digest, &length) != 1) return std::string();
  return hex_of(digest, length);
}

}  // namespace

std::string md5_of_file(const std::string& path) {
  int64_t size = 0;
  return digest_of_file(path, EVP_md5(), size);
}

std::string sha256_of_file(const std::string& path, int64_t& size) {
  return digest_of_file(path, EVP_sha256(), size);
}

std::string sha256_hex(const std::string& data) {
  unsigned char digest[EVP_MAX_MD_SIZE];
  unsigned int length = 0;
  if (EVP_Digest(data.data(), data.size(), digest, &length, EVP_sha256(), nullptr) != 1) return std::string();
  return hex_of(digest, length);
}

std::string random_hex(size_t bytes) {
  std::vector<unsigned char> raw(bytes);
  size_t got = 0;
  while (got < bytes) {
    ssize_t n = getrandom(raw.data() + got, bytes - got, 0);
    if (n <= 0) return std::string();
    got += static_cast<size_t>(n);
  }
  return hex_of(raw.data(), bytes);
}

}  // namespace catalogue
