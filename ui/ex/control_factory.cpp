#include "ui/ex/control_factory.h"

#include "ui/ascii_case.h"
#include "ui/ex/extended_controls.h"
#include "ui/win/wide_text.h"

namespace DuiLibEx {

DuiLib::CControlUI* CreateExtendedControl(const std::wstring& name) {
  const std::string utf8 = DuiLib::WideToUtf8(name);
  if (DuiLib::EqualsIgnoringAsciiCase(utf8, "HorizontalLayoutEx")) return new CHorizontalLayoutUIEx;
  if (DuiLib::EqualsIgnoringAsciiCase(utf8, "VerticalLayoutUIEx")) return new CVerticalLayoutUIEx;
  if (DuiLib::EqualsIgnoringAsciiCase(utf8, "BorderButtonUI")) return new CBorderButtonUI;
  if (DuiLib::EqualsIgnoringAsciiCase(utf8, "ColorButtonUI")) return new CColorButtonUI;
  return nullptr;
}

DuiLib::CControlUI* CreatePromptControl(const std::wstring& name) {
  if (name == L"BorderButtonUI" || name == L"ColorButtonUI") return CreateExtendedControl(name);
  if (name == L"WXColorButtonUI") {
    auto* button = static_cast<CColorButtonUI*>(CreateExtendedControl(L"ColorButtonUI"));
    button->SetColors(L"#FF41D582", L"#FF0DAB51");
    return button;
  }
  return nullptr;
}

}  // namespace DuiLibEx
