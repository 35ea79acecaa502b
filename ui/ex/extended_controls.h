#pragma once

#include <string>

#include "ui/win/button.h"
#include "ui/win/layouts.h"

namespace DuiLibEx {

// A button whose border and text turn blue while the mouse is over it, white after.
class CBorderButtonUI : public DuiLib::CButtonUI {
 public:
  ~CBorderButtonUI() override;
  static constexpr DuiLib::ControlKind<CBorderButtonUI> kKind{L"BorderButtonUI"};
  std::wstring GetClass() const override;
  DuiLib::CControlUI* GetInterface(const std::wstring& name) override;
  void DoEvent(DuiLib::TEventUI& event) override;
};

// A button whose background takes the hover colour while the mouse is over it (when it is
// enabled) and the normal colour when the mouse leaves (enabled or not).
class CColorButtonUI : public DuiLib::CButtonUI {
 public:
  ~CColorButtonUI() override;
  static constexpr DuiLib::ControlKind<CColorButtonUI> kKind{L"ColorButtonUI"};
  std::wstring GetClass() const override;
  DuiLib::CControlUI* GetInterface(const std::wstring& name) override;
  void DoEvent(DuiLib::TEventUI& event) override;
  // Colours in the layout syntax, "#AARRGGBB".
  void SetColors(const std::wstring& hoverColor, const std::wstring& normalColor);

 private:
  std::wstring hoverColor_ = L"#FF2791FC";
  std::wstring normalColor_ = L"#FF0375E4";
};

// A list row: light blue while hot, white after, and "click" as soon as the button goes
// down on it.
class CHorizontalLayoutUIEx : public DuiLib::CHorizontalLayoutUI {
 public:
  ~CHorizontalLayoutUIEx() override;
  static constexpr DuiLib::ControlKind<CHorizontalLayoutUIEx> kKind{L"HorizontalLayoutEx"};
  std::wstring GetClass() const override;
  DuiLib::CControlUI* GetInterface(const std::wstring& name) override;
  void DoEvent(DuiLib::TEventUI& event) override;
};

// A tile, the same as the row stacked vertically.
class CVerticalLayoutUIEx : public DuiLib::CVerticalLayoutUI {
 public:
  ~CVerticalLayoutUIEx() override;
  static constexpr DuiLib::ControlKind<CVerticalLayoutUIEx> kKind{L"VerticalLayoutUIEx"};
  std::wstring GetClass() const override;
  DuiLib::CControlUI* GetInterface(const std::wstring& name) override;
  void DoEvent(DuiLib::TEventUI& event) override;
};

}  // namespace DuiLibEx
