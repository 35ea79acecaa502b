#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// Pixels as RGBA rows, top down.
struct Screenshot {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgba;
};

// What the window shows on the screen now: its client area read back through its DC.
Screenshot CaptureClient(HWND window);
bool WritePng(const Screenshot& shot, const std::string& path);
bool ReadPng(const std::string& path, Screenshot* shot);

struct Comparison {
  bool sameSize = false;
  size_t differing = 0;  // pixels with a channel further apart than the tolerance
  size_t total = 0;
  int largest = 0;       // the largest channel difference seen
};
Comparison Compare(const Screenshot& actual, const Screenshot& expected, int tolerance);
