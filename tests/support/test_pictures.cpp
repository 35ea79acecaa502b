#include "tests/support/test_pictures.h"

#include <windows.h>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO
#include <stb/stb_image_write.h>

namespace test_support {

namespace {

void Append(void* out, void* data, int size) {
  auto* bytes = static_cast<std::vector<uint8_t>*>(out);
  bytes->insert(bytes->end(), static_cast<uint8_t*>(data), static_cast<uint8_t*>(data) + size);
}

std::vector<uint8_t> SolidPixels(int width, int height, uint8_t r, uint8_t g, uint8_t b) {
  std::vector<uint8_t> rgb;
  rgb.reserve(static_cast<size_t>(width) * height * 3);
  for (int i = 0; i < width * height; ++i) rgb.insert(rgb.end(), {r, g, b});
  return rgb;
}

}  // namespace

std::vector<uint8_t> SolidJpeg(int width, int height, uint8_t r, uint8_t g, uint8_t b) {
  std::vector<uint8_t> bytes;
  const auto rgb = SolidPixels(width, height, r, g, b);
  stbi_write_jpg_to_func(Append, &bytes, width, height, 3, rgb.data(), 95);
  return bytes;
}

std::vector<uint8_t> SolidPng(int width, int height, uint8_t r, uint8_t g, uint8_t b) {
  std::vector<uint8_t> bytes;
  const auto rgb = SolidPixels(width, height, r, g, b);
  stbi_write_png_to_func(Append, &bytes, width, height, 3, rgb.data(), width * 3);
  return bytes;
}

bool WriteWholeFile(const std::wstring& path, const std::vector<uint8_t>& bytes) {
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool ok =
      ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
      written == bytes.size();
  // A replacement within the file system's time resolution must still look new.
  FILETIME now;
  ::GetSystemTimeAsFileTime(&now);
  ::SetFileTime(file, nullptr, nullptr, &now);
  ::CloseHandle(file);
  return ok;
}

}  // namespace test_support
