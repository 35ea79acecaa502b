#include "ui/ex/extended_controls.h"

#include "ui/win/paint_manager.h"

namespace DuiLibEx {

using DuiLib::CControlUI;
using DuiLib::TEventUI;

namespace {

constexpr wchar_t kRowHot[] = L"#FFE9F5FF";
constexpr wchar_t kWhite[] = L"#FFFFFFFF";
constexpr wchar_t kBorderHot[] = L"#FF2791FC";

// The layouts' shared reaction. False when the control was destroyed by a receiver of its
// click, so the caller must not touch it any more.
bool RowReaction(CControlUI* row, TEventUI& event) {
  switch (event.Type) {
    case DuiLib::UIEVENT_MOUSEENTER:
      row->SetAttribute(L"bkcolor", kRowHot);
      return true;
    case DuiLib::UIEVENT_MOUSELEAVE:
      row->SetAttribute(L"bkcolor", kWhite);
      return true;
    case DuiLib::UIEVENT_BUTTONDOWN: {
      DuiLib::CPaintManagerUI* manager = row->GetManager();
      if (manager == nullptr) return true;
      manager->SendNotify(row, L"click", 0, 0);
      return !manager->IsReaped(row);
    }
    default:
      return true;
  }
}

}  // namespace

CBorderButtonUI::~CBorderButtonUI() = default;

std::wstring CBorderButtonUI::GetClass() const { return L"BorderButtonUI"; }

CControlUI* CBorderButtonUI::GetInterface(const std::wstring& name) {
  return name == kKind.name ? this : CButtonUI::GetInterface(name);
}

void CBorderButtonUI::DoEvent(TEventUI& event) {
  if (event.Type == DuiLib::UIEVENT_MOUSEENTER) {
    SetAttribute(L"bordercolor", kBorderHot);
    SetAttribute(L"textcolor", kBorderHot);
  } else if (event.Type == DuiLib::UIEVENT_MOUSELEAVE) {
    SetAttribute(L"bordercolor", kWhite);
    SetAttribute(L"textcolor", kWhite);
  }
  CButtonUI::DoEvent(event);
}

CColorButtonUI::~CColorButtonUI() = default;

std::wstring CColorButtonUI::GetClass() const { return L"ColorButtonUI"; }

CControlUI* CColorButtonUI::GetInterface(const std::wstring& name) {
  return name == kKind.name ? this : CButtonUI::GetInterface(name);
}

void CColorButtonUI::SetColors(const std::wstring& hoverColor,
                               const std::wstring& normalColor) {
  hoverColor_ = hoverColor;
  normalColor_ = normalColor;
}

void CColorButtonUI::DoEvent(TEventUI& event) {
  if (event.Type == DuiLib::UIEVENT_MOUSEENTER && IsEnabled()) {
    SetAttribute(L"bkcolor", hoverColor_);
  } else if (event.Type == DuiLib::UIEVENT_MOUSELEAVE) {
    SetAttribute(L"bkcolor", normalColor_);
  }
  CButtonUI::DoEvent(event);
}

CHorizontalLayoutUIEx::~CHorizontalLayoutUIEx() = default;

std::wstring CHorizontalLayoutUIEx::GetClass() const { return L"HorizontalLayoutEx"; }

CControlUI* CHorizontalLayoutUIEx::GetInterface(const std::wstring& name) {
  return name == kKind.name ? this : CHorizontalLayoutUI::GetInterface(name);
}

void CHorizontalLayoutUIEx::DoEvent(TEventUI& event) {
  if (RowReaction(this, event)) CHorizontalLayoutUI::DoEvent(event);
}

CVerticalLayoutUIEx::~CVerticalLayoutUIEx() = default;

std::wstring CVerticalLayoutUIEx::GetClass() const { return L"VerticalLayoutUIEx"; }

CControlUI* CVerticalLayoutUIEx::GetInterface(const std::wstring& name) {
  return name == kKind.name ? this : CVerticalLayoutUI::GetInterface(name);
}

void CVerticalLayoutUIEx::DoEvent(TEventUI& event) {
  if (RowReaction(this, event)) CVerticalLayoutUI::DoEvent(event);
}

}  // namespace DuiLibEx
