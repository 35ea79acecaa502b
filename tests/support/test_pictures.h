#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Pictures made on the spot for tests of what the program draws from files it downloads.
namespace test_support {

std::vector<uint8_t> SolidJpeg(int width, int height, uint8_t r, uint8_t g, uint8_t b);
std::vector<uint8_t> SolidPng(int width, int height, uint8_t r, uint8_t g, uint8_t b);
// Writes the bytes as the whole file and stamps it with the current time.
bool WriteWholeFile(const std::wstring& path, const std::vector<uint8_t>& bytes);

}  // namespace test_support
