#include "recording_canvas.h"

#include <sstream>

bool operator==(const RECT& a, const RECT& b) { return ::EqualRect(&a, &b) != FALSE; }

std::string ToString(const RECT& r) {
  std::ostringstream out;
  out << "{" << r.left << "," << r.top << "," << r.right << "," << r.bottom << "}";
  return out.str();
}

RECT RecordingCanvas::CurrentClip() const {
  return clips_.empty() ? RECT{-100000, -100000, 100000, 100000} : clips_.back();
}

void RecordingCanvas::FillRect(const RECT& rect, uint32_t argb) {
  CanvasCall call;
  call.kind = CanvasCall::kFill;
  call.rect = rect;
  call.color = argb;
  call.clip = CurrentClip();
  calls.push_back(call);
}

void RecordingCanvas::DrawImage(const DuiLib::DecodedImage& image, size_t frame,
                                const RECT& source, const RECT& dest) {
  CanvasCall call;
  call.kind = CanvasCall::kImage;
  call.rect = dest;
  call.source = source;
  call.image = &image;
  call.frame = frame;
  call.clip = CurrentClip();
  calls.push_back(call);
}

void RecordingCanvas::DrawText(const std::wstring& text, const RECT& rect,
                               const DuiLib::CanvasTextStyle& style) {
  CanvasCall call;
  call.kind = CanvasCall::kText;
  call.rect = rect;
  call.text = text;
  call.style = style;
  call.color = style.color;
  call.clip = CurrentClip();
  calls.push_back(call);
}

void RecordingCanvas::PushClip(const RECT& rect) {
  RECT clip = rect;
  if (!clips_.empty() && !::IntersectRect(&clip, &clips_.back(), &rect)) clip = RECT{0, 0, 0, 0};
  clips_.push_back(clip);
}

void RecordingCanvas::PopClip() {
  if (!clips_.empty()) clips_.pop_back();
}

std::vector<CanvasCall> RecordingCanvas::TextCalls(const std::wstring& text) const {
  std::vector<CanvasCall> found;
  for (const CanvasCall& call : calls) {
    if (call.kind == CanvasCall::kText && call.text == text) found.push_back(call);
  }
  return found;
}
