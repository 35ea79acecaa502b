#pragma once

#include "ui/win/container.h"

namespace DuiLib {

// Children side by side from the left. Those with a fixed width keep it; the others share
// what is left equally. Heights are fixed or the full height. Hidden children and floating
// ones take no space.
class CHorizontalLayoutUI : public CContainerUI {
 public:
  static constexpr ControlKind<CHorizontalLayoutUI> kKind{L"HorizontalLayout"};
  std::wstring GetClass() const override;
  CControlUI* GetInterface(const std::wstring& name) override;

 protected:
  int ArrangeFlow(const RECT& inner, int scrollOffset) override;
};

// Children stacked from the top, the same rules turned by a quarter. With vscrollbar the
// content may be taller than the view and scrolls.
class CVerticalLayoutUI : public CContainerUI {
 public:
  static constexpr ControlKind<CVerticalLayoutUI> kKind{L"VerticalLayout"};
  std::wstring GetClass() const override;
  CControlUI* GetInterface(const std::wstring& name) override;

 protected:
  int ArrangeFlow(const RECT& inner, int scrollOffset) override;
};

// Splits `available` pixels among children: fixed sizes are kept, the rest is shared
// equally by the children of size 0, the last of them taking what division leaves over.
// Returns the size of each child, in order.
std::vector<int> ShareSpace(const std::vector<int>& fixedSizes, int available);

}  // namespace DuiLib
