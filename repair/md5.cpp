#include "repair/md5.h"

#include <cstring>

namespace repair {

namespace {

inline std::uint32_t RotateLeft(std::uint32_t x, int n) { return (x << n) | (x >> (32 - n)); }

inline std::uint32_t LoadLittleEndian(const unsigned char* p) {
  return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
         std::uint32_t(p[3]) << 24;
}

// Per-step additive constants: floor(abs(sin(i + 1)) * 2^32).
const std::uint32_t kSine[64] = {
    0xd76aa478, 0xe8c7b756, 0x242070db, 0xc1bdceee, 0xf57c0faf, 0x4787c62a, 0xa8304613,
    0xfd469501, 0x698098d8, 0x8b44f7af, 0xffff5bb1, 0x895cd7be, 0x6b901122, 0xfd987193,
    0xa679438e, 0x49b40821, 0xf61e2562, 0xc040b340, 0x265e5a51, 0xe9b6c7aa, 0xd62f105d,
    0x02441453, 0xd8a1e681, 0xe7d3fbc8, 0x21e1cde6, 0xc33707d6, 0xf4d50d87, 0x455a14ed,
    0xa9e3e905, 0xfcefa3f8, 0x676f02d9, 0x8d2a4c8a, 0xfffa3942, 0x8771f681, 0x6d9d6122,
    0xfde5380c, 0xa4beea44, 0x4bdecfa9, 0xf6bb4b60, 0xbebfbc70, 0x289b7ec6, 0xeaa127fa,
    0xd4ef3085, 0x04881d05, 0xd9d4d039, 0xe6db99e5, 0x1fa27cf8, 0xc4ac5665, 0xf4292244,
    0x432aff97, 0xab9423a7, 0xfc93a039, 0x655b59c3, 0x8f0ccc92, 0xffeff47d, 0x85845dd1,
    0x6fa87e4f, 0xfe2ce6e0, 0xa3014314, 0x4e0811a1, 0xf7537e82, 0xbd3af235, 0x2ad7d2bb,
    0xeb86d391};
const int kShift[4][4] = {{7, 12, 17, 22}, {5, 9, 14, 20}, {4, 11, 16, 23}, {6, 10, 15, 21}};

}  // namespace

Md5::Md5() : state_{0x67452301, 0xefcdab89, 0x98badcfe, 0x10325476} {}

void Md5::Transform(const unsigned char block[64]) {
  std::uint32_t m[16];
  for (int i = 0; i < 16; ++i) m[i] = LoadLittleEndian(block + 4 * i);
  std::uint32_t a = state_[0], b = state_[1], c = state_[2], d = state_[3];
  for (int i = 0; i < 64; ++i) {
    std::uint32_t f;
    int g;
    switch (i / 16) {
      case 0: f = d ^ (b & (c ^ d)); g = i; break;
      case 1: f = c ^ (d & (b ^ c)); g = (5 * i + 1) & 15; break;
      case 2: f = b ^ c ^ d; g = (3 * i + 5) & 15; break;
      default: f = c ^ (b | ~d); g = (7 * i) & 15; break;
    }
    std::uint32_t rotated = RotateLeft(a + f + kSine[i] + m[g], kShift[i / 16][i & 3]);
    a = d;
    d = c;
    c = b;
    b = b + rotated;
  }
  state_[0] += a;
  state_[1] += b;
  state_[2] += c;
  state_[3] += d;
}

void Md5::Update(const void* data, size_t size) {
  const unsigned char* p = static_cast<const unsigned char*>(data);
  size_t used = length_ % 64;
  length_ += size;
  if (used) {
    size_t take = 64 - used < size ? 64 - used : size;
    std::memcpy(buffer_ + used, p, take);
    p += take;
    size -= take;
    if (used + take < 64) return;
    Transform(buffer_);
  }
  for (; size >= 64; p += 64, size -= 64) Transform(p);
  if (size) std::memcpy(buffer_, p, size);
}

std::string Md5::FinishHex() {
  std::uint64_t bits = length_ * 8;
  unsigned char padding[72] = {0x80};
  size_t used = length_ % 64;
  size_t padLength = used < 56 ? 56 - used : 120 - used;
  for (int i = 0; i < 8; ++i) padding[padLength + i] = static_cast<unsigned char>(bits >> (8 * i));
  Update(padding, padLength + 8);
  static const char kHex[] = "0123456789abcdef";
  std::string hex;
  for (std::uint32_t word : state_)
    for (int i = 0; i < 4; ++i) {
      unsigned char byte = static_cast<unsigned char>(word >> (8 * i));
      hex += kHex[byte >> 4];
      hex += kHex[byte & 15];
    }
  return hex;
}

std::string Md5Hex(const void* data, size_t size) {
  Md5 md5;
  md5.Update(data, size);
  return md5.FinishHex();
}

}  // namespace repair
