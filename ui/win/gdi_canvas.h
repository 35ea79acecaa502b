#pragma once

#include <windows.h>

#include <map>
#include <vector>

#include "ui/win/canvas.h"

namespace DuiLib {

// The screen's canvas: a 32-bit DIB section selected into a memory DC. A paint pass draws
// the invalid part into it and then copies that part to the window in one BitBlt, so the
// user never sees a half-drawn frame.
class GdiCanvas : public Canvas {
 public:
  GdiCanvas() = default;
  ~GdiCanvas() override;
  GdiCanvas(const GdiCanvas&) = delete;
  GdiCanvas& operator=(const GdiCanvas&) = delete;

  // Keeps the buffer when the size is unchanged; false when GDI has no memory for it.
  bool Resize(int width, int height);
  HDC dc() const { return dc_; }
  int width() const { return width_; }
  int height() const { return height_; }
  // The buffer's pixels, BGRA top-down; GDI's pending drawing is flushed first.
  const uint32_t* Pixels() const;

  void FillRect(const RECT& rect, uint32_t argb) override;
  void DrawImage(const DecodedImage& image, size_t frame, const RECT& source,
                 const RECT& dest) override;
  void DrawText(const std::wstring& text, const RECT& rect,
                const CanvasTextStyle& style) override;
  void PushClip(const RECT& rect) override;
  void PopClip() override;
  // Starts a pass: the clip stack holds only `rect`.
  void ResetClip(const RECT& rect);

 private:
  HBITMAP FrameBitmap(const DecodedImage& image, size_t frame);
  void SelectClip();
  void ReleaseBitmaps();

  HDC dc_ = nullptr;
  HDC imageDc_ = nullptr;
  HBITMAP buffer_ = nullptr;
  HGDIOBJ oldBuffer_ = nullptr;
  void* bits_ = nullptr;
  int width_ = 0;
  int height_ = 0;
  std::vector<RECT> clips_;
  // The skin's pictures are never freed (see image_cache.h), so their address is a key.
  std::map<std::pair<const DecodedImage*, size_t>, HBITMAP> bitmaps_;
};

// A DIB section holding `bgra` (premultiplied, top-down), for AlphaBlend and the shadow.
HBITMAP CreatePremultipliedBitmap(int width, int height, const uint8_t* bgra);

}  // namespace DuiLib
