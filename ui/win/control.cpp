#include "ui/win/control.h"

#include "ui/attribute_values.h"
#include "ui/image_attribute.h"
#include "ui/win/image_cache.h"
#include "ui/win/image_drawing.h"
#include "ui/win/paint_manager.h"
#include "ui/win/ui_lock.h"
#include "ui/win/wide_text.h"

namespace DuiLib {

bool RectsIntersect(const RECT& a, const RECT& b) {
  RECT unused;
  return ::IntersectRect(&unused, &a, &b) != FALSE;
}

CControlUI::CControlUI() = default;

CControlUI::~CControlUI() {
  UiGuard guard;
  if (manager_) manager_->ReapControl(this);
}

std::wstring CControlUI::GetClass() const { return L"ControlUI"; }

CControlUI* CControlUI::GetInterface(const std::wstring& name) {
  return name == kKind.name ? this : nullptr;
}

std::wstring CControlUI::GetName() const {
  UiGuard guard;
  return name_;
}

void CControlUI::SetName(const std::wstring& name) {
  UiGuard guard;
  name_ = name;
}

std::wstring CControlUI::GetText() const {
  UiGuard guard;
  return text_;
}

void CControlUI::SetText(const std::wstring& text) { SetAndInvalidateIfChanged(text_, text); }

bool CControlUI::IsVisible() const {
  UiGuard guard;
  return visible_ && internVisible_;
}

void CControlUI::SetVisible(bool visible) {
  UiGuard guard;
  if (visible_ == visible) return;
  visible_ = visible;
  NeedParentUpdate();
}

void CControlUI::SetInternVisible(bool visible) {
  UiGuard guard;
  internVisible_ = visible;
}

bool CControlUI::IsEnabled() const {
  UiGuard guard;
  return enabled_;
}

void CControlUI::SetEnabled(bool enabled) { SetAndInvalidateIfChanged(enabled_, enabled); }

bool CControlUI::IsMouseEnabled() const {
  UiGuard guard;
  return mouseEnabled_;
}

void CControlUI::SetMouseEnabled(bool enabled) {
  UiGuard guard;
  mouseEnabled_ = enabled;
}

RECT CControlUI::GetPos() const {
  UiGuard guard;
  return pos_;
}

void CControlUI::SetPos(RECT rect) {
  UiGuard guard;
  if (::EqualRect(&rect, &pos_)) return;
  Invalidate();
  pos_ = rect;
  Invalidate();
}

bool CControlUI::IsFloat() const {
  UiGuard guard;
  return geometry_.floating;
}

void CControlUI::SetFloat(bool floating) {
  UiGuard guard;
  geometry_.floating = floating;
  NeedParentUpdate();
}

int CControlUI::GetFixedWidth() const {
  UiGuard guard;
  return geometry_.fixedWidth;
}

int CControlUI::GetFixedHeight() const {
  UiGuard guard;
  return geometry_.fixedHeight;
}

void CControlUI::SetFixedWidth(int width) {
  UiGuard guard;
  geometry_.fixedWidth = width < 0 ? 0 : width;
  NeedParentUpdate();
}

void CControlUI::SetFixedHeight(int height) {
  UiGuard guard;
  geometry_.fixedHeight = height < 0 ? 0 : height;
  NeedParentUpdate();
}

POINT CControlUI::GetFixedXY() const {
  UiGuard guard;
  return POINT{geometry_.x, geometry_.y};
}

ControlGeometry CControlUI::GetGeometry() const {
  UiGuard guard;
  return geometry_;
}

uint32_t CControlUI::GetBkColor() const {
  UiGuard guard;
  return bkColor_;
}

void CControlUI::SetBkColor(uint32_t argb) { SetAndInvalidateIfChanged(bkColor_, argb); }

void CControlUI::SetBkImage(const std::wstring& image) { SetString(&bkImage_, image); }

std::wstring CControlUI::GetBkImage() const {
  UiGuard guard;
  return Utf8ToWide(bkImage_);
}

void CControlUI::SetBorderColor(uint32_t argb) {
  SetAndInvalidateIfChanged(borderColor_, argb);
}

void CControlUI::SetString(std::string* field, const std::wstring& value) {
  SetAndInvalidateIfChanged(*field, WideToUtf8(value));
}

void CControlUI::SetAttribute(const std::wstring& name, const std::wstring& value) {
  UiGuard guard;
  ApplyAttribute(WideToUtf8(name), WideToUtf8(value));
}

bool CControlUI::ApplyAttribute(std::string_view name, std::string_view value) {
  UiGuard guard;
  const AttributeResult geometry = ApplyGeometryAttribute(&geometry_, name, value);
  if (geometry != AttributeResult::kNotMine) {
    if (geometry == AttributeResult::kApplied) NeedParentUpdate();
    return true;
  }
  if (name == "name") {
    name_ = Utf8ToWide(value);
  } else if (name == "text") {
    SetText(Utf8ToWide(value));
  } else if (name == "bkcolor") {
    if (auto color = ParseColor(value)) SetBkColor(*color);
  } else if (name == "bordercolor") {
    if (auto color = ParseColor(value)) SetBorderColor(*color);
  } else if (name == "bordersize") {
    if (auto size = ParseInteger(value)) borderSize_ = *size;
    Invalidate();
  } else if (name == "bkimage") {
    SetAndInvalidate(bkImage_, std::string(value));
  } else if (name == "visible") {
    if (auto visible = ParseBoolean(value)) SetVisible(*visible);
  } else if (name == "enabled") {
    if (auto enabled = ParseBoolean(value)) SetEnabled(*enabled);
  } else if (name == "mouse") {
    if (auto mouse = ParseBoolean(value)) mouseEnabled_ = *mouse;
  } else {
    return false;
  }
  return true;
}

void CControlUI::Invalidate() {
  UiGuard guard;
  if (manager_ && IsVisible()) manager_->Invalidate(pos_);
}

void CControlUI::NeedUpdate() {
  UiGuard guard;
  if (!manager_) return;
  manager_->NeedLayout();
  manager_->Invalidate(pos_);
}

void CControlUI::NeedParentUpdate() {
  UiGuard guard;
  if (parent_) {
    parent_->NeedUpdate();
  } else {
    NeedUpdate();
  }
}

void CControlUI::DoEvent(TEventUI& event) {
  // Presses and releases that a plain control does not use belong to its container, so a
  // click on a row's label is a click on the row.
  if ((event.Type == UIEVENT_BUTTONDOWN || event.Type == UIEVENT_BUTTONUP ||
       event.Type == UIEVENT_DBLCLICK || event.Type == UIEVENT_SCROLLWHEEL) &&
      parent_ != nullptr) {
    parent_->DoEvent(event);
    return;
  }
  if (event.Type == UIEVENT_TIMER && manager_) {
    manager_->SendNotify(this, L"timer", event.wParam, event.lParam);
  }
}

void CControlUI::DoPaint(Canvas& canvas, const RECT& dirty) {
  if (!RectsIntersect(dirty, pos_)) return;
  CanvasClip clip(canvas, pos_);
  PaintBkColor(canvas);
  PaintBkImage(canvas);
  PaintStatusImage(canvas);
  PaintText(canvas);
  PaintBorder(canvas);
}

void CControlUI::PaintBkColor(Canvas& canvas) {
  if (bkColor_ >> 24) canvas.FillRect(pos_, bkColor_);
}

void CControlUI::PaintBkImage(Canvas& canvas) { DrawImage(canvas, bkImage_); }

void CControlUI::PaintStatusImage(Canvas&) {}

void CControlUI::PaintText(Canvas&) {}

void CControlUI::PaintBorder(Canvas& canvas) {
  if ((borderColor_ >> 24) == 0 || borderSize_ <= 0) return;
  const LONG s = borderSize_;
  const RECT& r = pos_;
  canvas.FillRect(RECT{r.left, r.top, r.right, r.top + s}, borderColor_);
  canvas.FillRect(RECT{r.left, r.bottom - s, r.right, r.bottom}, borderColor_);
  canvas.FillRect(RECT{r.left, r.top + s, r.left + s, r.bottom - s}, borderColor_);
  canvas.FillRect(RECT{r.right - s, r.top + s, r.right, r.bottom - s}, borderColor_);
}

bool CControlUI::DrawImage(Canvas& canvas, const std::string& attribute, size_t frame) {
  if (attribute.empty()) return false;
  const std::optional<ImageAttribute> parsed = ParseImageAttribute(attribute);
  if (!parsed) return false;
  const std::shared_ptr<const DecodedImage> image = FindPicture(parsed->file);
  if (!image) return false;
  DrawImageAttribute(canvas, *image, frame, *parsed, pos_);
  return true;
}

CPaintManagerUI* CControlUI::GetManager() const {
  UiGuard guard;
  return manager_;
}

CControlUI* CControlUI::GetParent() const {
  UiGuard guard;
  return parent_;
}

void CControlUI::SetManager(CPaintManagerUI* manager, CControlUI* parent) {
  UiGuard guard;
  if (manager_ && manager_ != manager) manager_->ReapControl(this);
  manager_ = manager;
  parent_ = parent;
}

CControlUI* CControlUI::FindControlAt(POINT point) {
  if (!IsVisible() || !mouseEnabled_ || !::PtInRect(&pos_, point)) return nullptr;
  return this;
}

CControlUI* CControlUI::FindControlByName(const std::wstring& name) {
  return name_ == name ? this : nullptr;
}

void CControlUI::ForEach(void (*visit)(CControlUI*, void*), void* context) {
  visit(this, context);
}

}  // namespace DuiLib
