#include "ui/win/decoded_image.h"

#include <cstring>

#include <stb/stb_image.h>

namespace DuiLib {

namespace {

// stb gives RGBA with straight alpha; AlphaBlend with AC_SRC_ALPHA wants BGRA premultiplied.
void ToPremultipliedBgra(const uint8_t* rgba, size_t pixels, std::vector<uint8_t>* out) {
  out->resize(pixels * 4);
  uint8_t* dst = out->data();
  for (size_t i = 0; i < pixels; ++i, rgba += 4, dst += 4) {
    const unsigned a = rgba[3];
    dst[0] = static_cast<uint8_t>((rgba[2] * a + 127) / 255);
    dst[1] = static_cast<uint8_t>((rgba[1] * a + 127) / 255);
    dst[2] = static_cast<uint8_t>((rgba[0] * a + 127) / 255);
    dst[3] = static_cast<uint8_t>(a);
  }
}

bool IsGif(const std::vector<uint8_t>& bytes) {
  return bytes.size() >= 6 && std::memcmp(bytes.data(), "GIF8", 4) == 0;
}

bool DecodeGif(const std::vector<uint8_t>& bytes, DecodedImage* image) {
  int* delays = nullptr;
  int width = 0, height = 0, frames = 0, channels = 0;
  stbi_uc* pixels = stbi_load_gif_from_memory(bytes.data(), static_cast<int>(bytes.size()),
                                              &delays, &width, &height, &frames, &channels, 4);
  if (pixels == nullptr) return false;
  image->width = width;
  image->height = height;
  image->frames.resize(static_cast<size_t>(frames));
  const size_t framePixels = static_cast<size_t>(width) * static_cast<size_t>(height);
  for (int i = 0; i < frames; ++i) {
    ToPremultipliedBgra(pixels + framePixels * 4 * static_cast<size_t>(i), framePixels,
                        &image->frames[static_cast<size_t>(i)].bgra);
    // Browsers treat delays under 20 ms as 100 ms; so do we, or such a GIF would spin.
    const int delay = delays ? delays[i] : 0;
    image->frames[static_cast<size_t>(i)].delayMs = delay < 20 ? 100 : delay;
  }
  stbi_image_free(pixels);
  stbi_image_free(delays);
  return frames > 0;
}

}  // namespace

bool DecodeImage(const std::vector<uint8_t>& bytes, DecodedImage* image) {
  *image = DecodedImage();
  if (bytes.empty() || bytes.size() > 0x7FFFFFFF) return false;
  if (IsGif(bytes)) return DecodeGif(bytes, image);
  int width = 0, height = 0, channels = 0;
  stbi_uc* pixels = stbi_load_from_memory(bytes.data(), static_cast<int>(bytes.size()), &width,
                                          &height, &channels, 4);
  if (pixels == nullptr) return false;
  image->width = width;
  image->height = height;
  image->frames.resize(1);
  ToPremultipliedBgra(pixels, static_cast<size_t>(width) * static_cast<size_t>(height),
                      &image->frames[0].bgra);
  stbi_image_free(pixels);
  return true;
}

}  // namespace DuiLib
