#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace DuiLib {

// A picture of the skin in the layout that GDI's AlphaBlend takes: 32-bit BGRA, rows top
// down, colour premultiplied by alpha. A GIF has one frame per picture with its delay.
struct DecodedImage {
  struct Frame {
    std::vector<uint8_t> bgra;  // width * height * 4
    int delayMs = 0;
  };
  int width = 0;
  int height = 0;
  std::vector<Frame> frames;

  bool IsAnimated() const { return frames.size() > 1; }
};

// PNG (alpha kept) or GIF (every frame); false for anything stb_image cannot read.
bool DecodeImage(const std::vector<uint8_t>& bytes, DecodedImage* image);

}  // namespace DuiLib
