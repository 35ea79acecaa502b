#pragma once
#include <cstdint>
#include <string>

namespace net {

// Lower-case hexadecimal SHA-256 of a file and its size, read in pieces through one handle;
// false when it cannot be read.
bool FileSha256AndSize(const std::string& path, std::string& sha256, uint64_t& size);

// Whether the file is exactly the one the signed catalogue names: its size and its SHA-256 (a
// file longer than named is not read past that size).
bool FileMatchesSignedDigest(const std::string& path, const std::string& sha256, uint64_t size);

}  // namespace net
