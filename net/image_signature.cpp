#include "net/image_signature.h"

#include <cstring>

namespace net {

bool LooksLikeImage(const unsigned char* head, size_t size) {
  auto startsWith = [&](const char* magic, size_t length, size_t offset = 0) {
    return size >= offset + length && std::memcmp(head + offset, magic, length) == 0;
  };
  return startsWith("\x89PNG\r\n\x1a\n", 8) || startsWith("\xFF\xD8\xFF", 3) || startsWith("GIF87a", 6) ||
         startsWith("GIF89a", 6) || startsWith("BM", 2) || startsWith("\0\0\1\0", 4) ||
         (startsWith("RIFF", 4) && startsWith("WEBP", 4, 8));
}

}  // namespace net
