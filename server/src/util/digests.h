#pragma once
#include <string>

namespace catalogue {

// Lower-case hexadecimal MD5 of a file, read in pieces; empty when the file cannot be read.
std::string md5_of_file(const std::string& path);
std::string sha256_hex(const std::string& data);
// `bytes` bytes from the kernel's random source, as hexadecimal; empty if the source failed.
std::string random_hex(size_t bytes);

}  // namespace catalogue
