#include "ui/win/button.h"

#include "ui/attribute_values.h"
#include "ui/win/paint_manager.h"
#include "ui/win/ui_lock.h"

namespace DuiLib {

std::wstring CButtonUI::GetClass() const { return L"ButtonUI"; }

CControlUI* CButtonUI::GetInterface(const std::wstring& name) {
  return name == kKind.name ? this : CLabelUI::GetInterface(name);
}

void CButtonUI::SetNormalImage(const std::wstring& image) { SetString(&normalImage_, image); }
void CButtonUI::SetHotImage(const std::wstring& image) { SetString(&hotImage_, image); }
void CButtonUI::SetPushedImage(const std::wstring& image) { SetString(&pushedImage_, image); }

void CButtonUI::SetHotTextColor(uint32_t argb) {
  UiGuard guard;
  hotTextColor_ = argb;
  if (hot_) Invalidate();
}

void CButtonUI::SetHotBkColor(uint32_t argb) {
  UiGuard guard;
  hotBkColor_ = argb;
  if (hot_) Invalidate();
}

bool CButtonUI::IsHot() const {
  UiGuard guard;
  return hot_;
}

bool CButtonUI::IsPushed() const {
  UiGuard guard;
  return pushed_;
}

bool CButtonUI::ApplyAttribute(std::string_view name, std::string_view value) {
  UiGuard guard;
  if (name == "normalimage") {
    normalImage_ = std::string(value);
  } else if (name == "hotimage") {
    hotImage_ = std::string(value);
  } else if (name == "pushedimage") {
    pushedImage_ = std::string(value);
  } else if (name == "disabledimage") {
    disabledImage_ = std::string(value);
  } else if (name == "hottextcolor") {
    if (auto color = ParseColor(value)) hotTextColor_ = *color;
  } else if (name == "hotbkcolor") {
    if (auto color = ParseColor(value)) hotBkColor_ = *color;
  } else {
    return CLabelUI::ApplyAttribute(name, value);
  }
  Invalidate();
  return true;
}

void CButtonUI::DoEvent(TEventUI& event) {
  UiGuard guard;
  switch (event.Type) {
    case UIEVENT_MOUSEENTER:
      if (enabled_) SetAndInvalidate(hot_, true);
      return;
    case UIEVENT_MOUSELEAVE:
      SetAndInvalidate(hot_, false);
      return;
    case UIEVENT_BUTTONDOWN:
    case UIEVENT_DBLCLICK:
      if (enabled_) SetAndInvalidate(pushed_, true);
      return;
    case UIEVENT_BUTTONUP: {
      const bool wasPushed = pushed_;
      SetAndInvalidate(pushed_, false);
      if (wasPushed && enabled_ && ::PtInRect(&pos_, event.ptMouse)) Activate();
      return;
    }
    default:
      CLabelUI::DoEvent(event);
  }
}

void CButtonUI::Activate() {
  if (manager_) manager_->SendNotify(this, L"click");
}

void CButtonUI::PaintBkColor(Canvas& canvas) {
  if (hot_ && (hotBkColor_ >> 24)) {
    canvas.FillRect(pos_, hotBkColor_);
    return;
  }
  CLabelUI::PaintBkColor(canvas);
}

void CButtonUI::PaintStatusImage(Canvas& canvas) {
  if (!enabled_ && DrawImage(canvas, disabledImage_)) return;
  if (pushed_ && DrawImage(canvas, pushedImage_)) return;
  if ((hot_ || pushed_) && DrawImage(canvas, hotImage_)) return;
  DrawImage(canvas, normalImage_);
}

uint32_t CButtonUI::CurrentTextColor() const {
  if (enabled_ && hot_ && (hotTextColor_ >> 24)) return hotTextColor_;
  return CLabelUI::CurrentTextColor();
}

std::wstring COptionUI::GetClass() const { return L"OptionUI"; }

CControlUI* COptionUI::GetInterface(const std::wstring& name) {
  return name == kKind.name ? this : CButtonUI::GetInterface(name);
}

void COptionUI::SetSelectedImage(const std::wstring& image) {
  SetString(&selectedImage_, image);
}

bool COptionUI::GetCheck() const {
  UiGuard guard;
  return selected_;
}

void COptionUI::SetCheck(bool checked) { SetAndInvalidateIfChanged(selected_, checked); }

bool COptionUI::ApplyAttribute(std::string_view name, std::string_view value) {
  UiGuard guard;
  if (name == "selectedimage") {
    selectedImage_ = std::string(value);
  } else if (name == "selectedhotimage") {
    selectedHotImage_ = std::string(value);
  } else if (name == "selected") {
    if (auto selected = ParseBoolean(value)) selected_ = *selected;
  } else if (name == "group") {
    group_ = std::wstring(value.begin(), value.end());
  } else {
    return CButtonUI::ApplyAttribute(name, value);
  }
  Invalidate();
  return true;
}

void COptionUI::Activate() {
  // Options of a group behave as tabs: a click selects, it never deselects.
  SetCheck(group_.empty() ? !GetCheck() : true);
  CButtonUI::Activate();
}

void COptionUI::PaintStatusImage(Canvas& canvas) {
  if (selected_) {
    if (hot_ && DrawImage(canvas, selectedHotImage_)) return;
    if (DrawImage(canvas, selectedImage_)) return;
  }
  CButtonUI::PaintStatusImage(canvas);
}

std::wstring CCheckBoxUI::GetClass() const { return L"CheckBoxUI"; }

CControlUI* CCheckBoxUI::GetInterface(const std::wstring& name) {
  return name == kKind.name ? this : COptionUI::GetInterface(name);
}

}  // namespace DuiLib
