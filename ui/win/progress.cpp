#include "ui/win/progress.h"

#include <algorithm>

#include "ui/attribute_values.h"
#include "ui/image_attribute.h"
#include "ui/win/canvas.h"
#include "ui/win/image_cache.h"
#include "ui/win/image_drawing.h"
#include "ui/win/ui_lock.h"

namespace DuiLib {

std::wstring CProgressUI::GetClass() const { return L"ProgressUI"; }

CControlUI* CProgressUI::GetInterface(const std::wstring& name) {
  return name == kKind.name ? this : CLabelUI::GetInterface(name);
}

int CProgressUI::GetValue() const {
  UiGuard guard;
  return value_;
}

void CProgressUI::SetValue(int value) { SetAndInvalidateIfChanged(value_, value); }

void CProgressUI::SetMinValue(int value) { SetAndInvalidate(min_, value); }

void CProgressUI::SetMaxValue(int value) { SetAndInvalidate(max_, value); }

void CProgressUI::SetForeImage(const std::wstring& image) { SetString(&foreImage_, image); }

RECT CProgressUI::FilledRect() const {
  UiGuard guard;
  RECT filled = pos_;
  const int range = max_ - min_;
  const int done = std::clamp(value_ - min_, 0, range > 0 ? range : 0);
  const long long width = pos_.right - pos_.left;
  filled.right = range > 0 ? pos_.left + static_cast<LONG>(width * done / range) : pos_.left;
  return filled;
}

bool CProgressUI::ApplyAttribute(std::string_view name, std::string_view value) {
  UiGuard guard;
  if (name == "value") {
    if (auto v = ParseInteger(value)) SetValue(*v);
  } else if (name == "min") {
    if (auto v = ParseInteger(value)) SetMinValue(*v);
  } else if (name == "max") {
    if (auto v = ParseInteger(value)) SetMaxValue(*v);
  } else if (name == "foreimage") {
    SetAndInvalidate(foreImage_, std::string(value));
  } else if (name == "hor" || name == "thumbimage" || name == "thumbsize") {
    // Always horizontal, and never dragged: the layout's thumb has nothing to do here.
  } else {
    return CLabelUI::ApplyAttribute(name, value);
  }
  return true;
}

void CProgressUI::PaintStatusImage(Canvas& canvas) {
  const std::optional<ImageAttribute> parsed = ParseImageAttribute(foreImage_);
  if (!parsed) return;
  const std::shared_ptr<const DecodedImage> image = FindPicture(parsed->file);
  if (!image) return;
  // The fore picture is laid over the whole bar and clipped to the filled part, so a
  // sprite or nine-grid fore picture keeps its proportions as the value grows.
  CanvasClip clip(canvas, FilledRect());
  DrawImageAttribute(canvas, *image, 0, *parsed, pos_);
}

std::wstring CSliderUI::GetClass() const { return L"SliderUI"; }

CControlUI* CSliderUI::GetInterface(const std::wstring& name) {
  return name == kKind.name ? this : CProgressUI::GetInterface(name);
}

}  // namespace DuiLib
