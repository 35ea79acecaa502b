#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace platform {

// MD5 (RFC 1321), used only to recognise a downloaded installer or DLL as the one the
// catalogue names; it is no protection against a deliberate forgery.
class Md5 {
 public:
  Md5();
  void Update(const void* data, size_t size);
  // 32 lowercase hexadecimal digits. The object is spent afterwards.
  std::string FinishHex();

 private:
  void Transform(const unsigned char block[64]);

  std::uint32_t state_[4];
  std::uint64_t length_ = 0;  // bytes
  unsigned char buffer_[64];
};

std::string Md5Hex(const void* data, size_t size);

// The digest of a file's bytes; empty text when the file cannot be opened or read.
std::string FileMd5(const std::string& path);

// The digest test for a cached or downloaded file, in either letter case: an empty expected
// digest accepts any.
bool DigestMatches(const std::string& actual, const std::string& expected);

}  // namespace platform
