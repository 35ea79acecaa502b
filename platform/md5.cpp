#include "platform/md5.h"

#include <cstring>

namespace platform {

namespace {

inline std::uint32_t RotateLeft(std::uint32_t x, int n) { return (x << n) | (x >> (32 - n)); }

inline std::uint32_t LoadLittleEndian(const unsigned char* p) {
  return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
         std::uint32_t(p[3]) << 24;
}

// One step of a round: the round function f of b, c, d, the message word, the additive
// constant floor(abs(sin(i + 1)) * 2^32) and the rotation. The 64 steps are written out so that
// the compiler sees constant indices and rotations; a loop with a switch runs at half the speed.
#define MD5_STEP(f, a, b, c, d, word, constant, shift) \
  a += f(b, c, d) + (word) + (constant);                  \
  a = RotateLeft(a, shift) + b

inline std::uint32_t F(std::uint32_t b, std::uint32_t c, std::uint32_t d) { return d ^ (b & (c ^ d)); }
inline std::uint32_t G(std::uint32_t b, std::uint32_t c, std::uint32_t d) { return c ^ (d & (b ^ c)); }
inline std::uint32_t H(std::uint32_t b, std::uint32_t c, std::uint32_t d) { return b ^ c ^ d; }
inline std::uint32_t I(std::uint32_t b, std::uint32_t c, std::uint32_t d) { return c ^ (b | ~d); }

}  // namespace

Md5::Md5() : state_{0x67452301, 0xefcdab89, 0x98badcfe, 0x10325476} {}

void Md5::Transform(const unsigned char block[64]) {
  std::uint32_t m[16];
  for (int i = 0; i < 16; ++i) m[i] = LoadLittleEndian(block + 4 * i);
  std::uint32_t a = state_[0], b = state_[1], c = state_[2], d = state_[3];

  MD5_STEP(F, a, b, c, d, m[0], 0xd76aa478, 7);
  MD5_STEP(F, d, a, b, c, m[1], 0xe8c7b756, 12);
  MD5_STEP(F, c, d, a, b, m[2], 0x242070db, 17);
  MD5_STEP(F, b, c, d, a, m[3], 0xc1bdceee, 22);
  MD5_STEP(F, a, b, c, d, m[4], 0xf57c0faf, 7);
  MD5_STEP(F, d, a, b, c, m[5], 0x4787c62a, 12);
  MD5_STEP(F, c, d, a, b, m[6], 0xa8304613, 17);
  MD5_STEP(F, b, c, d, a, m[7], 0xfd469501, 22);
  MD5_STEP(F, a, b, c, d, m[8], 0x698098d8, 7);
  MD5_STEP(F, d, a, b, c, m[9], 0x8b44f7af, 12);
  MD5_STEP(F, c, d, a, b, m[10], 0xffff5bb1, 17);
  MD5_STEP(F, b, c, d, a, m[11], 0x895cd7be, 22);
  MD5_STEP(F, a, b, c, d, m[12], 0x6b901122, 7);
  MD5_STEP(F, d, a, b, c, m[13], 0xfd987193, 12);
  MD5_STEP(F, c, d, a, b, m[14], 0xa679438e, 17);
  MD5_STEP(F, b, c, d, a, m[15], 0x49b40821, 22);

  MD5_STEP(G, a, b, c, d, m[1], 0xf61e2562, 5);
  MD5_STEP(G, d, a, b, c, m[6], 0xc040b340, 9);
  MD5_STEP(G, c, d, a, b, m[11], 0x265e5a51, 14);
  MD5_STEP(G, b, c, d, a, m[0], 0xe9b6c7aa, 20);
  MD5_STEP(G, a, b, c, d, m[5], 0xd62f105d, 5);
  MD5_STEP(G, d, a, b, c, m[10], 0x02441453, 9);
  MD5_STEP(G, c, d, a, b, m[15], 0xd8a1e681, 14);
  MD5_STEP(G, b, c, d, a, m[4], 0xe7d3fbc8, 20);
  MD5_STEP(G, a, b, c, d, m[9], 0x21e1cde6, 5);
  MD5_STEP(G, d, a, b, c, m[14], 0xc33707d6, 9);
  MD5_STEP(G, c, d, a, b, m[3], 0xf4d50d87, 14);
  MD5_STEP(G, b, c, d, a, m[8], 0x455a14ed, 20);
  MD5_STEP(G, a, b, c, d, m[13], 0xa9e3e905, 5);
  MD5_STEP(G, d, a, b, c, m[2], 0xfcefa3f8, 9);
  MD5_STEP(G, c, d, a, b, m[7], 0x676f02d9, 14);
  MD5_STEP(G, b, c, d, a, m[12], 0x8d2a4c8a, 20);

  MD5_STEP(H, a, b, c, d, m[5], 0xfffa3942, 4);
  MD5_STEP(H, d, a, b, c, m[8], 0x8771f681, 11);
  MD5_STEP(H, c, d, a, b, m[11], 0x6d9d6122, 16);
  MD5_STEP(H, b, c, d, a, m[14], 0xfde5380c, 23);
  MD5_STEP(H, a, b, c, d, m[1], 0xa4beea44, 4);
  MD5_STEP(H, d, a, b, c, m[4], 0x4bdecfa9, 11);
  MD5_STEP(H, c, d, a, b, m[7], 0xf6bb4b60, 16);
  MD5_STEP(H, b, c, d, a, m[10], 0xbebfbc70, 23);
  MD5_STEP(H, a, b, c, d, m[13], 0x289b7ec6, 4);
  MD5_STEP(H, d, a, b, c, m[0], 0xeaa127fa, 11);
  MD5_STEP(H, c, d, a, b, m[3], 0xd4ef3085, 16);
  MD5_STEP(H, b, c, d, a, m[6], 0x04881d05, 23);
  MD5_STEP(H, a, b, c, d, m[9], 0xd9d4d039, 4);
  MD5_STEP(H, d, a, b, c, m[12], 0xe6db99e5, 11);
  MD5_STEP(H, c, d, a, b, m[15], 0x1fa27cf8, 16);
  MD5_STEP(H, b, c, d, a, m[2], 0xc4ac5665, 23);

  MD5_STEP(I, a, b, c, d, m[0], 0xf4292244, 6);
  MD5_STEP(I, d, a, b, c, m[7], 0x432aff97, 10);
  MD5_STEP(I, c, d, a, b, m[14], 0xab9423a7, 15);
  MD5_STEP(I, b, c, d, a, m[5], 0xfc93a039, 21);
  MD5_STEP(I, a, b, c, d, m[12], 0x655b59c3, 6);
  MD5_STEP(I, d, a, b, c, m[3], 0x8f0ccc92, 10);
  MD5_STEP(I, c, d, a, b, m[10], 0xffeff47d, 15);
  MD5_STEP(I, b, c, d, a, m[1], 0x85845dd1, 21);
  MD5_STEP(I, a, b, c, d, m[8], 0x6fa87e4f, 6);
  MD5_STEP(I, d, a, b, c, m[15], 0xfe2ce6e0, 10);
  MD5_STEP(I, c, d, a, b, m[6], 0xa3014314, 15);
  MD5_STEP(I, b, c, d, a, m[13], 0x4e0811a1, 21);
  MD5_STEP(I, a, b, c, d, m[4], 0xf7537e82, 6);
  MD5_STEP(I, d, a, b, c, m[11], 0xbd3af235, 10);
  MD5_STEP(I, c, d, a, b, m[2], 0x2ad7d2bb, 15);
  MD5_STEP(I, b, c, d, a, m[9], 0xeb86d391, 21);

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

}  // namespace platform
