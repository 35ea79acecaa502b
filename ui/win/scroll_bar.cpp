#include "ui/win/scroll_bar.h"

#include <algorithm>

#include "ui/win/container.h"
#include "ui/win/ui_lock.h"

namespace DuiLib {

std::wstring CScrollBarUI::GetClass() const { return L"ScrollBarUI"; }

CControlUI* CScrollBarUI::GetInterface(const std::wstring& name) {
  return name == kKind.name ? this : CControlUI::GetInterface(name);
}

void CScrollBarUI::SetScrollRange(int range) {
  UiGuard guard;
  range_ = std::max(range, 0);
  scrollPos_ = std::clamp(scrollPos_, 0, range_);
  Invalidate();
}

void CScrollBarUI::SetScrollPos(int pos) {
  UiGuard guard;  // range_ too may be changing
  SetAndInvalidateIfChanged(scrollPos_, std::clamp(pos, 0, range_));
}

int CScrollBarUI::GetWidth() const {
  UiGuard guard;
  return geometry_.fixedWidth > 0 ? geometry_.fixedWidth : kDefaultWidth;
}

RECT CScrollBarUI::ThumbRect() const {
  UiGuard guard;
  const int track = pos_.bottom - pos_.top;
  if (range_ <= 0 || track <= 0) return pos_;
  // The thumb is to the track as the view is to the content, never shorter than its ends.
  const int thumb = std::max(track * track / (track + range_), std::min(track, 16));
  const int top = (track - thumb) * scrollPos_ / range_;
  return RECT{pos_.left, pos_.top + top, pos_.right, pos_.top + top + thumb};
}

bool CScrollBarUI::ApplyAttribute(std::string_view name, std::string_view value) {
  UiGuard guard;
  if (name == "bknormalimage") {
    trackImage_ = std::string(value);
  } else if (name == "thumbnormalimage") {
    thumbNormalImage_ = std::string(value);
  } else if (name == "thumbhotimage") {
    thumbHotImage_ = std::string(value);
  } else if (name == "thumbpushedimage") {
    thumbPushedImage_ = std::string(value);
  } else if (name == "showbutton1" || name == "showbutton2" || name == "railnormalimage") {
    // No arrow buttons and no rail in this skin.
  } else {
    return CControlUI::ApplyAttribute(name, value);
  }
  Invalidate();
  return true;
}

void CScrollBarUI::ScrollOwnerTo(int pos) {
  if (CContainerUI* owner = dynamic_cast<CContainerUI*>(parent_)) owner->SetScrollPos(pos);
}

void CScrollBarUI::DoEvent(TEventUI& event) {
  UiGuard guard;
  const RECT thumb = ThumbRect();
  switch (event.Type) {
    case UIEVENT_BUTTONDOWN:
      if (::PtInRect(&thumb, event.ptMouse)) {
        dragging_ = true;
        dragStartY_ = event.ptMouse.y;
        dragStartPos_ = scrollPos_;
      } else {
        const int page = pos_.bottom - pos_.top;
        ScrollOwnerTo(scrollPos_ + (event.ptMouse.y < thumb.top ? -page : page));
      }
      Invalidate();
      return;
    case UIEVENT_MOUSEMOVE: {
      if (dragging_) {
        const int track = (pos_.bottom - pos_.top) - (thumb.bottom - thumb.top);
        if (track > 0) {
          ScrollOwnerTo(dragStartPos_ + (event.ptMouse.y - dragStartY_) * range_ / track);
        }
      }
      SetAndInvalidateIfChanged(thumbHot_, ::PtInRect(&thumb, event.ptMouse) != FALSE);
      return;
    }
    case UIEVENT_BUTTONUP:
      SetAndInvalidate(dragging_, false);
      return;
    case UIEVENT_MOUSELEAVE:
      SetAndInvalidate(thumbHot_, false);
      return;
    default:
      CControlUI::DoEvent(event);
  }
}

void CScrollBarUI::PaintBkImage(Canvas& canvas) {
  CControlUI::PaintBkImage(canvas);
  DrawImage(canvas, trackImage_);
}

void CScrollBarUI::PaintStatusImage(Canvas& canvas) {
  if (range_ <= 0) return;
  const RECT saved = pos_;
  // DrawImage places pictures over pos_; the thumb is drawn by narrowing it for a moment.
  pos_ = ThumbRect();
  if (!(dragging_ && DrawImage(canvas, thumbPushedImage_)) &&
      !(thumbHot_ && DrawImage(canvas, thumbHotImage_))) {
    DrawImage(canvas, thumbNormalImage_);
  }
  pos_ = saved;
}

}  // namespace DuiLib
