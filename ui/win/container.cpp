#include "ui/win/container.h"

#include <algorithm>

#include "ui/attribute_values.h"
#include "ui/win/paint_manager.h"
#include "ui/win/ui_lock.h"

namespace DuiLib {

CContainerUI::CContainerUI() = default;

CContainerUI::~CContainerUI() {
  UiGuard guard;
  items_.clear();
  vscroll_.reset();
}

std::wstring CContainerUI::GetClass() const { return L"ContainerUI"; }

CControlUI* CContainerUI::GetInterface(const std::wstring& name) {
  return name == kKind.name ? this : CControlUI::GetInterface(name);
}

bool CContainerUI::Add(CControlUI* control) {
  UiGuard guard;
  return AddAt(control, static_cast<int>(items_.size()));
}

bool CContainerUI::AddAt(CControlUI* control, int index) {
  if (control == nullptr) return false;
  UiGuard guard;
  index = std::clamp(index, 0, static_cast<int>(items_.size()));
  items_.insert(items_.begin() + index, std::unique_ptr<CControlUI>(control));
  control->SetManager(manager_, this);
  control->SetInternVisible(IsVisible());
  NeedUpdate();
  return true;
}

bool CContainerUI::Remove(CControlUI* control, bool keepAlive) {
  UiGuard guard;
  const int index = GetItemIndex(control);
  return index >= 0 && RemoveAt(index, keepAlive);
}

bool CContainerUI::RemoveAt(int index, bool keepAlive) {
  UiGuard guard;
  if (index < 0 || index >= static_cast<int>(items_.size())) return false;
  std::unique_ptr<CControlUI> removed = std::move(items_[static_cast<size_t>(index)]);
  items_.erase(items_.begin() + index);
  if (keepAlive) {
    removed->SetManager(nullptr, nullptr);
    removed.release();  // the caller owns it now
  }
  NeedUpdate();
  return true;
}

void CContainerUI::RemoveAll() {
  UiGuard guard;
  items_.clear();
  SetScrollPos(0);
  NeedUpdate();
}

int CContainerUI::GetCount() const {
  UiGuard guard;
  return static_cast<int>(items_.size());
}

CControlUI* CContainerUI::GetItemAt(int index) const {
  UiGuard guard;
  if (index < 0 || index >= static_cast<int>(items_.size())) return nullptr;
  return items_[static_cast<size_t>(index)].get();
}

int CContainerUI::GetItemIndex(CControlUI* control) const {
  UiGuard guard;
  for (size_t i = 0; i < items_.size(); ++i) {
    if (items_[i].get() == control) return static_cast<int>(i);
  }
  return -1;
}

void CContainerUI::SetInset(RECT inset) {
  UiGuard guard;
  inset_ = inset;
  NeedUpdate();
}

void CContainerUI::EnableScrollBar(bool vertical) {
  UiGuard guard;
  if (vertical && !vscroll_) {
    vscroll_ = std::make_unique<CScrollBarUI>();
    vscroll_->SetManager(manager_, this);
    scrollDefaultsApplied_ = false;
    ApplyScrollBarDefaults();
  } else if (!vertical) {
    vscroll_.reset();
  }
  NeedUpdate();
}

void CContainerUI::ApplyScrollBarDefaults() {
  if (!vscroll_ || !manager_ || scrollDefaultsApplied_) return;
  scrollDefaultsApplied_ = true;
  if (const LayoutAttributes* defaults = manager_->FindDefaults("VScrollBar")) {
    for (const LayoutAttribute& attribute : *defaults) {
      vscroll_->ApplyAttribute(attribute.name, attribute.value);
    }
  }
}

CScrollBarUI* CContainerUI::GetVerticalScrollBar() const {
  UiGuard guard;
  return vscroll_.get();
}

void CContainerUI::SetScrollPos(int pos) {
  UiGuard guard;
  if (!vscroll_) return;
  const int before = vscroll_->GetScrollPos();
  vscroll_->SetScrollPos(pos);
  if (vscroll_->GetScrollPos() != before) NeedUpdate();
}

int CContainerUI::GetScrollPos() const {
  UiGuard guard;
  return vscroll_ ? vscroll_->GetScrollPos() : 0;
}

RECT CContainerUI::InnerRect() const {
  return RECT{pos_.left + inset_.left, pos_.top + inset_.top, pos_.right - inset_.right,
              pos_.bottom - inset_.bottom};
}

void CContainerUI::SetPos(RECT rect) {
  UiGuard guard;
  CControlUI::SetPos(rect);
  RECT inner = InnerRect();
  const int offset = vscroll_ ? vscroll_->GetScrollPos() : 0;
  int contentHeight = ArrangeFlow(inner, offset);
  if (vscroll_) {
    const int view = inner.bottom - inner.top;
    const int range = std::max(contentHeight - view, 0);
    if (range > 0) {
      // The bar takes its width from the content's side; lay out again in what is left.
      inner.right -= vscroll_->GetWidth();
      vscroll_->SetPos(RECT{inner.right, inner.top, inner.right + vscroll_->GetWidth(),
                            inner.bottom});
      vscroll_->SetScrollRange(range);
      vscroll_->SetVisible(true);
      contentHeight = ArrangeFlow(inner, vscroll_->GetScrollPos());
    } else {
      vscroll_->SetScrollRange(0);
      vscroll_->SetVisible(false);
    }
  }
  ArrangeFloats(inner);
}

int CContainerUI::ArrangeFlow(const RECT& inner, int scrollOffset) {
  RECT placed = inner;
  ::OffsetRect(&placed, 0, -scrollOffset);
  for (auto& item : items_) {
    if (!item->IsVisible() || item->IsFloat()) continue;
    item->SetPos(placed);
  }
  return inner.bottom - inner.top;
}

void CContainerUI::ArrangeFloats(const RECT& inner) {
  for (auto& item : items_) {
    if (!item->IsVisible() || !item->IsFloat()) continue;
    const ControlGeometry g = item->GetGeometry();
    const LONG left = inner.left + g.x;
    const LONG top = inner.top + g.y;
    item->SetPos(RECT{left, top, left + g.fixedWidth, top + g.fixedHeight});
  }
}

void CContainerUI::SetVisible(bool visible) {
  UiGuard guard;
  if (visible_ == visible) return;
  CControlUI::SetVisible(visible);
  for (auto& item : items_) item->SetInternVisible(IsVisible());
}

void CContainerUI::SetInternVisible(bool visible) {
  UiGuard guard;
  CControlUI::SetInternVisible(visible);
  for (auto& item : items_) item->SetInternVisible(IsVisible());
}

void CContainerUI::SetManager(CPaintManagerUI* manager, CControlUI* parent) {
  UiGuard guard;
  CControlUI::SetManager(manager, parent);
  for (auto& item : items_) item->SetManager(manager, this);
  if (vscroll_) {
    vscroll_->SetManager(manager, this);
    ApplyScrollBarDefaults();
  }
}

bool CContainerUI::ApplyAttribute(std::string_view name, std::string_view value) {
  UiGuard guard;
  if (name == "vscrollbar") {
    if (auto enabled = ParseBoolean(value)) EnableScrollBar(*enabled);
  } else if (name == "inset") {
    if (auto r = ParseRect(value)) SetInset(RECT{r->left, r->top, r->right, r->bottom});
  } else {
    return CControlUI::ApplyAttribute(name, value);
  }
  return true;
}

void CContainerUI::DoEvent(TEventUI& event) {
  UiGuard guard;
  if (event.Type == UIEVENT_SCROLLWHEEL && vscroll_ && vscroll_->GetScrollRange() > 0) {
    SetScrollPos(GetScrollPos() + (event.wParam == SB_LINEUP ? -40 : 40));
    return;
  }
  CControlUI::DoEvent(event);
}

void CContainerUI::DoPaint(Canvas& canvas, const RECT& dirty) {
  if (!RectsIntersect(dirty, pos_)) return;
  CControlUI::DoPaint(canvas, dirty);
  CanvasClip clip(canvas, InnerRect());
  for (auto& item : items_) {
    if (item->IsVisible()) item->DoPaint(canvas, dirty);
  }
  if (vscroll_ && vscroll_->IsVisible()) vscroll_->DoPaint(canvas, dirty);
}

CControlUI* CContainerUI::FindControlAt(POINT point) {
  if (!IsVisible() || !::PtInRect(&pos_, point)) return nullptr;
  if (vscroll_ && vscroll_->IsVisible()) {
    if (CControlUI* hit = vscroll_->FindControlAt(point)) return hit;
  }
  const RECT inner = InnerRect();
  if (::PtInRect(&inner, point)) {
    // Later children are painted over earlier ones, so they are hit first.
    for (auto it = items_.rbegin(); it != items_.rend(); ++it) {
      if (CControlUI* hit = (*it)->FindControlAt(point)) return hit;
    }
  }
  return mouseEnabled_ ? this : nullptr;
}

CControlUI* CContainerUI::FindControlByName(const std::wstring& name) {
  if (name_ == name) return this;
  for (auto& item : items_) {
    if (CControlUI* found = item->FindControlByName(name)) return found;
  }
  return nullptr;
}

void CContainerUI::ForEach(void (*visit)(CControlUI*, void*), void* context) {
  visit(this, context);
  for (auto& item : items_) item->ForEach(visit, context);
}

}  // namespace DuiLib
