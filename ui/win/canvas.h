#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "ui/attribute_values.h"
#include "ui/win/decoded_image.h"

namespace DuiLib {

// A font of the window's font table as the canvas sees it: the id names it in recordings,
// the handle draws it on the screen.
struct CanvasFont {
  int id = 0;
  HFONT handle = nullptr;
};

enum class CanvasTextFlow { kSingleLine, kWrapped };

struct CanvasTextStyle {
  CanvasFont font;
  uint32_t color = 0xFF000000;  // AARRGGBB
  TextAlign align = TextAlign::kLeft;
  CanvasTextFlow flow = CanvasTextFlow::kSingleLine;
};

// Everything a control draws goes through these four kinds of call, so painting can be
// checked by recording them. Rectangles are in window client coordinates.
class Canvas {
 public:
  virtual ~Canvas() = default;
  virtual void FillRect(const RECT& rect, uint32_t argb) = 0;
  // Stretches `source` of the frame's pixels over `dest`, blending by the picture's alpha.
  virtual void DrawImage(const DecodedImage& image, size_t frame, const RECT& source,
                         const RECT& dest) = 0;
  virtual void DrawText(const std::wstring& text, const RECT& rect,
                        const CanvasTextStyle& style) = 0;
  // Clips are nested: each one intersects the current clip; Pop restores the previous.
  virtual void PushClip(const RECT& rect) = 0;
  virtual void PopClip() = 0;
};

class CanvasClip {
 public:
  CanvasClip(Canvas& canvas, const RECT& rect) : canvas_(canvas) { canvas_.PushClip(rect); }
  ~CanvasClip() { canvas_.PopClip(); }
  CanvasClip(const CanvasClip&) = delete;
  CanvasClip& operator=(const CanvasClip&) = delete;

 private:
  Canvas& canvas_;
};

}  // namespace DuiLib
