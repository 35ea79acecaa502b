#include "ui/win/layouts.h"

#include <algorithm>

namespace DuiLib {

std::vector<int> ShareSpace(const std::vector<int>& fixedSizes, int available) {
  int fixedTotal = 0;
  int sharing = 0;
  for (int size : fixedSizes) {
    if (size > 0) {
      fixedTotal += size;
    } else {
      ++sharing;
    }
  }
  const int rest = std::max(available - fixedTotal, 0);
  const int share = sharing > 0 ? rest / sharing : 0;
  std::vector<int> sizes;
  sizes.reserve(fixedSizes.size());
  int shared = 0;
  for (int size : fixedSizes) {
    if (size > 0) {
      sizes.push_back(size);
    } else {
      ++shared;
      sizes.push_back(shared == sharing ? rest - share * (sharing - 1) : share);
    }
  }
  return sizes;
}

namespace {

template <typename Items>
std::vector<CControlUI*> FlowChildren(const Items& items) {
  std::vector<CControlUI*> flow;
  for (const auto& item : items) {
    if (item->IsVisible() && !item->IsFloat()) flow.push_back(item.get());
  }
  return flow;
}

}  // namespace

std::wstring CHorizontalLayoutUI::GetClass() const { return L"HorizontalLayoutUI"; }

CControlUI* CHorizontalLayoutUI::GetInterface(const std::wstring& name) {
  return name == kKind.name ? this : CContainerUI::GetInterface(name);
}

int CHorizontalLayoutUI::ArrangeFlow(const RECT& inner, int scrollOffset) {
  const std::vector<CControlUI*> flow = FlowChildren(items_);
  std::vector<int> fixed;
  for (CControlUI* child : flow) fixed.push_back(child->GetFixedWidth());
  const std::vector<int> widths = ShareSpace(fixed, inner.right - inner.left);
  LONG x = inner.left;
  const LONG top = inner.top - scrollOffset;
  for (size_t i = 0; i < flow.size(); ++i) {
    const int height = flow[i]->GetFixedHeight();
    const LONG bottom = height > 0 ? top + height : inner.bottom - scrollOffset;
    flow[i]->SetPos(RECT{x, top, x + widths[i], bottom});
    x += widths[i];
  }
  return inner.bottom - inner.top;
}

std::wstring CVerticalLayoutUI::GetClass() const { return L"VerticalLayoutUI"; }

CControlUI* CVerticalLayoutUI::GetInterface(const std::wstring& name) {
  return name == kKind.name ? this : CContainerUI::GetInterface(name);
}

int CVerticalLayoutUI::ArrangeFlow(const RECT& inner, int scrollOffset) {
  const std::vector<CControlUI*> flow = FlowChildren(items_);
  std::vector<int> fixed;
  for (CControlUI* child : flow) fixed.push_back(child->GetFixedHeight());
  const std::vector<int> heights = ShareSpace(fixed, inner.bottom - inner.top);
  LONG y = inner.top - scrollOffset;
  int content = 0;
  for (size_t i = 0; i < flow.size(); ++i) {
    const int width = flow[i]->GetFixedWidth();
    const LONG right = width > 0 ? inner.left + width : inner.right;
    flow[i]->SetPos(RECT{inner.left, y, right, y + heights[i]});
    y += heights[i];
    content += heights[i];
  }
  return content;
}

}  // namespace DuiLib
