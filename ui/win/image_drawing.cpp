#include "ui/win/image_drawing.h"

#include <algorithm>

namespace DuiLib {

namespace {

RECT MakeRect(int l, int t, int r, int b) { return RECT{l, t, r, b}; }

// Source rectangles outside the picture would read past its pixels: clamp them in.
RECT ClampToImage(const RECT& source, const DecodedImage& image) {
  RECT r = source;
  r.left = std::clamp<LONG>(r.left, 0, image.width);
  r.right = std::clamp<LONG>(r.right, r.left, image.width);
  r.top = std::clamp<LONG>(r.top, 0, image.height);
  r.bottom = std::clamp<LONG>(r.bottom, r.top, image.height);
  return r;
}

void DrawPart(Canvas& canvas, const DecodedImage& image, size_t frame, const RECT& s,
              const RECT& d) {
  if (s.right <= s.left || s.bottom <= s.top || d.right <= d.left || d.bottom <= d.top) return;
  canvas.DrawImage(image, frame, s, d);
}

void DrawNineGrid(Canvas& canvas, const DecodedImage& image, size_t frame, const RECT& s,
                  const RECT& d, const RectValue& c) {
  // Borders never exceed half the target, so a small control shrinks them instead of
  // letting the parts overlap.
  const LONG l = std::min<LONG>(c.left, (d.right - d.left) / 2);
  const LONG r = std::min<LONG>(c.right, (d.right - d.left) - l);
  const LONG t = std::min<LONG>(c.top, (d.bottom - d.top) / 2);
  const LONG b = std::min<LONG>(c.bottom, (d.bottom - d.top) - t);
  const LONG sx[4] = {s.left, s.left + c.left, s.right - c.right, s.right};
  const LONG sy[4] = {s.top, s.top + c.top, s.bottom - c.bottom, s.bottom};
  const LONG dx[4] = {d.left, d.left + l, d.right - r, d.right};
  const LONG dy[4] = {d.top, d.top + t, d.bottom - b, d.bottom};
  for (int row = 0; row < 3; ++row) {
    for (int col = 0; col < 3; ++col) {
      DrawPart(canvas, image, frame, MakeRect(sx[col], sy[row], sx[col + 1], sy[row + 1]),
               MakeRect(dx[col], dy[row], dx[col + 1], dy[row + 1]));
    }
  }
}

}  // namespace

void DrawImageAttribute(Canvas& canvas, const DecodedImage& image, size_t frame,
                        const ImageAttribute& attribute, const RECT& control) {
  if (image.frames.empty()) return;
  frame = std::min(frame, image.frames.size() - 1);
  RECT source = MakeRect(0, 0, image.width, image.height);
  if (attribute.source) {
    const RectValue& v = *attribute.source;
    source = ClampToImage(MakeRect(v.left, v.top, v.right, v.bottom), image);
  }
  RECT dest = control;
  if (attribute.dest) {
    const RectValue& v = *attribute.dest;
    dest = MakeRect(control.left + v.left, control.top + v.top, control.left + v.right,
                    control.top + v.bottom);
  }
  if (attribute.corner) {
    DrawNineGrid(canvas, image, frame, source, dest, *attribute.corner);
  } else {
    DrawPart(canvas, image, frame, source, dest);
  }
}

}  // namespace DuiLib
