#include "ui/win/gdi_canvas.h"

#include <algorithm>
#include <cstring>

namespace DuiLib {

namespace {

BITMAPINFO TopDownInfo(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // negative: rows top down, like the decoded pixels
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

COLORREF ToColorRef(uint32_t argb) {
  return RGB((argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF);
}

}  // namespace

HBITMAP CreatePremultipliedBitmap(int width, int height, const uint8_t* bgra) {
  BITMAPINFO info = TopDownInfo(width, height);
  void* bits = nullptr;
  HBITMAP bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap != nullptr && bgra != nullptr) {
    std::memcpy(bits, bgra, static_cast<size_t>(width) * static_cast<size_t>(height) * 4);
  }
  return bitmap;
}

GdiCanvas::~GdiCanvas() {
  ReleaseBitmaps();
  if (dc_) {
    ::SelectObject(dc_, oldBuffer_);
    ::DeleteDC(dc_);
  }
  if (imageDc_) ::DeleteDC(imageDc_);
  if (buffer_) ::DeleteObject(buffer_);
}

void GdiCanvas::ReleaseBitmaps() {
  for (auto& entry : bitmaps_) ::DeleteObject(entry.second);
  bitmaps_.clear();
}

bool GdiCanvas::Resize(int width, int height) {
  width = std::max(width, 1);
  height = std::max(height, 1);
  if (buffer_ && width == width_ && height == height_) return true;
  if (!dc_) {
    dc_ = ::CreateCompatibleDC(nullptr);
    imageDc_ = ::CreateCompatibleDC(nullptr);
    if (!dc_ || !imageDc_) return false;
  }
  BITMAPINFO info = TopDownInfo(width, height);
  void* bits = nullptr;
  HBITMAP buffer = ::CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!buffer) return false;
  HGDIOBJ previous = ::SelectObject(dc_, buffer);
  if (!oldBuffer_) oldBuffer_ = previous;
  if (buffer_) ::DeleteObject(buffer_);
  buffer_ = buffer;
  bits_ = bits;
  width_ = width;
  height_ = height;
  ::SetBkMode(dc_, TRANSPARENT);
  return true;
}

const uint32_t* GdiCanvas::Pixels() const {
  ::GdiFlush();  // GDI may batch drawing; the DIB's memory is current only after a flush
  return static_cast<const uint32_t*>(bits_);
}

void GdiCanvas::FillRect(const RECT& rect, uint32_t argb) {
  const uint32_t alpha = argb >> 24;
  if (alpha == 0 || !dc_) return;
  if (alpha == 0xFF) {
    HBRUSH brush = ::CreateSolidBrush(ToColorRef(argb));
    ::FillRect(dc_, &rect, brush);
    ::DeleteObject(brush);
    return;
  }
  const uint8_t pixel[4] = {
      static_cast<uint8_t>((argb & 0xFF) * alpha / 255),
      static_cast<uint8_t>(((argb >> 8) & 0xFF) * alpha / 255),
      static_cast<uint8_t>(((argb >> 16) & 0xFF) * alpha / 255), static_cast<uint8_t>(alpha)};
  HBITMAP dot = CreatePremultipliedBitmap(1, 1, pixel);
  HGDIOBJ old = ::SelectObject(imageDc_, dot);
  BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  ::AlphaBlend(dc_, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
               imageDc_, 0, 0, 1, 1, blend);
  ::SelectObject(imageDc_, old);
  ::DeleteObject(dot);
}

HBITMAP GdiCanvas::FrameBitmap(const DecodedImage& image, size_t frame) {
  const auto key = std::make_pair(&image, frame);
  auto found = bitmaps_.find(key);
  if (found != bitmaps_.end()) return found->second;
  HBITMAP bitmap =
      CreatePremultipliedBitmap(image.width, image.height, image.frames[frame].bgra.data());
  bitmaps_.emplace(key, bitmap);
  return bitmap;
}

void GdiCanvas::DrawImage(const DecodedImage& image, size_t frame, const RECT& source,
                          const RECT& dest) {
  if (!dc_ || frame >= image.frames.size()) return;
  HBITMAP bitmap = FrameBitmap(image, frame);
  if (!bitmap) return;
  HGDIOBJ old = ::SelectObject(imageDc_, bitmap);
  BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  ::AlphaBlend(dc_, dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top,
               imageDc_, source.left, source.top, source.right - source.left,
               source.bottom - source.top, blend);
  ::SelectObject(imageDc_, old);
}

void GdiCanvas::DrawText(const std::wstring& text, const RECT& rect,
                         const CanvasTextStyle& style) {
  if (!dc_ || text.empty()) return;
  HGDIOBJ oldFont = style.font.handle ? ::SelectObject(dc_, style.font.handle) : nullptr;
  ::SetTextColor(dc_, ToColorRef(style.color));
  UINT format = DT_NOPREFIX;
  if (style.align == TextAlign::kCenter) format |= DT_CENTER;
  if (style.align == TextAlign::kRight) format |= DT_RIGHT;
  if (style.flow == CanvasTextFlow::kSingleLine) {
    format |= DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS;
  } else {
    // DT_EDITCONTROL breaks a run without spaces (Chinese text) at the edge, as an edit
    // box does, instead of letting it run past the right side.
    format |= DT_WORDBREAK | DT_EDITCONTROL;
  }
  RECT box = rect;
  ::DrawTextW(dc_, text.c_str(), static_cast<int>(text.size()), &box, format);
  if (oldFont) ::SelectObject(dc_, oldFont);
}

void GdiCanvas::SelectClip() {
  if (clips_.empty()) {
    ::SelectClipRgn(dc_, nullptr);
    return;
  }
  HRGN region = ::CreateRectRgnIndirect(&clips_.back());
  ::SelectClipRgn(dc_, region);  // the DC keeps a copy of the region
  ::DeleteObject(region);
}

void GdiCanvas::PushClip(const RECT& rect) {
  RECT clip = rect;
  if (!clips_.empty() && !::IntersectRect(&clip, &clips_.back(), &rect)) clip = RECT{0, 0, 0, 0};
  clips_.push_back(clip);
  SelectClip();
}

void GdiCanvas::PopClip() {
  if (!clips_.empty()) clips_.pop_back();
  SelectClip();
}

void GdiCanvas::ResetClip(const RECT& rect) {
  clips_.clear();
  PushClip(rect);
}

}  // namespace DuiLib
