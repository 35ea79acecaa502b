#include "ui/win/gif_anim.h"

#include "ui/image_attribute.h"
#include "ui/win/image_cache.h"
#include "ui/win/paint_manager.h"
#include "ui/win/ui_lock.h"

namespace DuiLib {

namespace {

std::shared_ptr<const DecodedImage> FindGif(const std::string& attribute) {
  const std::optional<ImageAttribute> parsed = ParseImageAttribute(attribute);
  return parsed ? FindPicture(parsed->file) : nullptr;
}

}  // namespace

std::wstring CGifAnimUI::GetClass() const { return L"GifAnimUI"; }

CControlUI* CGifAnimUI::GetInterface(const std::wstring& name) {
  return name == kKind.name ? this : CControlUI::GetInterface(name);
}

size_t CGifAnimUI::CurrentFrame() const {
  UiGuard guard;
  return frame_;
}

void CGifAnimUI::ArmFrameTimer(size_t frameCount) {
  const std::shared_ptr<const DecodedImage> image = FindGif(bkImage_);
  if (!manager_ || !image || frameCount < 2) return;
  const int delay = image->frames[frame_ % frameCount].delayMs;
  manager_->KillTimer(this, kFrameTimerId);
  playing_ = manager_->SetTimer(this, kFrameTimerId, static_cast<UINT>(delay));
}

void CGifAnimUI::DoEvent(TEventUI& event) {
  UiGuard guard;
  if (event.Type != UIEVENT_TIMER || event.wParam != kFrameTimerId) {
    CControlUI::DoEvent(event);
    return;
  }
  const std::shared_ptr<const DecodedImage> image = FindGif(bkImage_);
  // A minimised or hidden window paints nothing, so the frames wait for its next paint.
  HWND window = manager_ ? manager_->GetPaintWindow() : nullptr;
  const bool windowShown = window && ::IsWindowVisible(window) && !::IsIconic(window);
  if (!manager_ || !image || !IsVisible() || !windowShown) {
    if (manager_) manager_->KillTimer(this, kFrameTimerId);
    playing_ = false;
    return;
  }
  frame_ = (frame_ + 1) % image->frames.size();
  ArmFrameTimer(image->frames.size());  // the next frame has its own delay
  Invalidate();
}

void CGifAnimUI::PaintBkImage(Canvas& canvas) {
  const std::shared_ptr<const DecodedImage> image = FindGif(bkImage_);
  if (!image) return;
  if (frame_ >= image->frames.size()) frame_ = 0;
  DrawImage(canvas, bkImage_, frame_);
  if (!playing_) ArmFrameTimer(image->frames.size());
}

}  // namespace DuiLib
