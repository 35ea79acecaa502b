#pragma once
#include <cstddef>

namespace net {

// Whether the first bytes of a file are those of a picture format the program can show (PNG,
// JPEG, GIF, BMP, ICO, WebP). A server or a proxy may answer with a page where a picture was
// asked for, so the image cache checks what it got.
bool LooksLikeImage(const unsigned char* head, size_t size);
constexpr size_t kImageSignatureBytes = 12;

}  // namespace net
