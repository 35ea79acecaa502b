#include "screenshot.h"

#include <cstdio>
#include <cstdlib>

#include <stb/stb_image.h>
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

Screenshot CaptureClient(HWND window) {
  Screenshot shot;
  RECT client;
  ::GetClientRect(window, &client);
  shot.width = client.right;
  shot.height = client.bottom;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = shot.width;
  info.bmiHeader.biHeight = -shot.height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HDC screen = ::GetDC(window);
  HDC memory = ::CreateCompatibleDC(screen);
  HBITMAP bitmap = ::CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = ::SelectObject(memory, bitmap);
  ::BitBlt(memory, 0, 0, shot.width, shot.height, screen, 0, 0, SRCCOPY);
  ::GdiFlush();
  shot.rgba.resize(static_cast<size_t>(shot.width) * shot.height * 4);
  const uint8_t* bgra = static_cast<const uint8_t*>(bits);
  for (size_t i = 0; i < shot.rgba.size(); i += 4) {
    shot.rgba[i] = bgra[i + 2];
    shot.rgba[i + 1] = bgra[i + 1];
    shot.rgba[i + 2] = bgra[i];
    shot.rgba[i + 3] = 0xFF;
  }
  ::SelectObject(memory, old);
  ::DeleteObject(bitmap);
  ::DeleteDC(memory);
  ::ReleaseDC(window, screen);
  return shot;
}

bool WritePng(const Screenshot& shot, const std::string& path) {
  return stbi_write_png(path.c_str(), shot.width, shot.height, 4, shot.rgba.data(),
                        shot.width * 4) != 0;
}

bool ReadPng(const std::string& path, Screenshot* shot) {
  FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return false;
  std::vector<uint8_t> bytes;
  uint8_t buffer[65536];
  size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.insert(bytes.end(), buffer, buffer + got);
  std::fclose(file);
  int channels = 0;
  stbi_uc* pixels = stbi_load_from_memory(bytes.data(), static_cast<int>(bytes.size()),
                                          &shot->width, &shot->height, &channels, 4);
  if (!pixels) return false;
  shot->rgba.assign(pixels, pixels + static_cast<size_t>(shot->width) * shot->height * 4);
  stbi_image_free(pixels);
  return true;
}

Comparison Compare(const Screenshot& actual, const Screenshot& expected, int tolerance) {
  Comparison result;
  result.sameSize = actual.width == expected.width && actual.height == expected.height;
  if (!result.sameSize) return result;
  result.total = static_cast<size_t>(actual.width) * actual.height;
  for (size_t i = 0; i < actual.rgba.size(); i += 4) {
    int worst = 0;
    for (int c = 0; c < 3; ++c) worst = std::max(worst, std::abs(actual.rgba[i + c] - expected.rgba[i + c]));
    result.largest = std::max(result.largest, worst);
    if (worst > tolerance) ++result.differing;
  }
  return result;
}
