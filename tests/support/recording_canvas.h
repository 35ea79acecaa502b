#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "ui/win/canvas.h"

// A canvas that keeps every call, for tests of what controls draw and where.
struct CanvasCall {
  enum Kind { kFill, kImage, kText } kind = kFill;
  RECT rect{};       // fill rectangle, image destination or text box
  RECT source{};    // image only
  uint32_t color = 0;
  const DuiLib::DecodedImage* image = nullptr;
  size_t frame = 0;
  std::wstring text;
  DuiLib::CanvasTextStyle style;
  RECT clip{};      // the clip in force when the call was made
};

class RecordingCanvas : public DuiLib::Canvas {
 public:
  void FillRect(const RECT& rect, uint32_t argb) override;
  void DrawImage(const DuiLib::DecodedImage& image, size_t frame, const RECT& source,
                 const RECT& dest) override;
  void DrawText(const std::wstring& text, const RECT& rect,
                const DuiLib::CanvasTextStyle& style) override;
  void PushClip(const RECT& rect) override;
  void PopClip() override;

  std::vector<CanvasCall> calls;
  size_t clipDepth() const { return clips_.size(); }
  // The text calls that drew `text`, in order.
  std::vector<CanvasCall> TextCalls(const std::wstring& text) const;

 private:
  RECT CurrentClip() const;
  std::vector<RECT> clips_;
};

bool operator==(const RECT& a, const RECT& b);
std::string ToString(const RECT& r);
