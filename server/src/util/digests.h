#pragma once
#include <cstdint>
#include <string>

namespace catalogue {

// Lower-case hexadecimal MD5 of a file, read in pieces; empty when the file cannot be read.
std::string md5_of_file(const std::string& path);
// Lower-case hexadecimal SHA-256 of a file, and its size; empty when it cannot be read.
std::string sha256_of_file(const std::string& path, int64_t& size);
std::string hex_of(const unsigned char* data, size_t n);
std::string sha256_hex(const std::string& data);
// `bytes` bytes from the kernel's random source, as hexadecimal; empty if the source failed.
std::string random_hex(size_t bytes);

}  // namespace catalogue
