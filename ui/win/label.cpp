#include "ui/win/label.h"

#include "ui/attribute_values.h"
#include "ui/win/paint_manager.h"
#include "ui/win/ui_lock.h"

namespace DuiLib {

std::wstring CLabelUI::GetClass() const { return L"LabelUI"; }

CControlUI* CLabelUI::GetInterface(const std::wstring& name) {
  return name == kKind.name ? this : CControlUI::GetInterface(name);
}

void CLabelUI::SetFont(int id) { SetAndInvalidate(font_, id); }

int CLabelUI::GetFont() const {
  UiGuard guard;
  return font_;
}

void CLabelUI::SetTextColor(uint32_t argb) { SetAndInvalidateIfChanged(textColor_, argb); }

uint32_t CLabelUI::GetTextColor() const {
  UiGuard guard;
  return textColor_;
}

void CLabelUI::SetTextPadding(RECT padding) { SetAndInvalidate(textPadding_, padding); }

RECT CLabelUI::GetTextPadding() const {
  UiGuard guard;
  return textPadding_;
}

void CLabelUI::SetTextAlign(TextAlign align) { SetAndInvalidate(align_, align); }

TextAlign CLabelUI::GetTextAlign() const {
  UiGuard guard;
  return align_;
}

bool CLabelUI::ApplyAttribute(std::string_view name, std::string_view value) {
  UiGuard guard;
  if (name == "font") {
    if (auto id = ParseInteger(value)) SetFont(*id);
  } else if (name == "textcolor") {
    if (auto color = ParseColor(value)) SetTextColor(*color);
  } else if (name == "disabledtextcolor") {
    if (auto color = ParseColor(value)) disabledTextColor_ = *color;
  } else if (name == "align") {
    if (auto align = ParseTextAlign(value)) SetTextAlign(*align);
  } else if (name == "textpadding") {
    if (auto r = ParseRect(value)) SetTextPadding(RECT{r->left, r->top, r->right, r->bottom});
  } else {
    return CControlUI::ApplyAttribute(name, value);
  }
  return true;
}

uint32_t CLabelUI::CurrentTextColor() const {
  return enabled_ ? textColor_ : disabledTextColor_;
}

RECT CLabelUI::TextRect() const {
  return RECT{pos_.left + textPadding_.left, pos_.top + textPadding_.top,
              pos_.right - textPadding_.right, pos_.bottom - textPadding_.bottom};
}

void CLabelUI::PaintText(Canvas& canvas) {
  if (text_.empty() || !manager_) return;
  CanvasTextStyle style;
  style.font = manager_->GetFont(font_);
  style.color = CurrentTextColor();
  style.align = align_;
  style.flow = TextFlow();
  canvas.DrawText(text_, TextRect(), style);
}

std::wstring CTextUI::GetClass() const { return L"TextUI"; }

CControlUI* CTextUI::GetInterface(const std::wstring& name) {
  return name == kKind.name ? this : CLabelUI::GetInterface(name);
}

std::wstring CRichEditUI::GetClass() const { return L"RichEditUI"; }

CControlUI* CRichEditUI::GetInterface(const std::wstring& name) {
  return name == kKind.name ? this : CLabelUI::GetInterface(name);
}

void CRichEditUI::DoEvent(TEventUI& event) {
  UiGuard guard;
  if (event.Type == UIEVENT_BUTTONDOWN || event.Type == UIEVENT_BUTTONUP) return;  // its own
  if (event.Type != UIEVENT_CHAR) {
    CLabelUI::DoEvent(event);
    return;
  }
  std::wstring text = text_;
  const wchar_t typed = static_cast<wchar_t>(event.wParam);
  if (typed == L'\b') {
    // A surrogate pair is one character to the user: both halves go together.
    if (!text.empty()) text.pop_back();
    if (!text.empty() && text.back() >= 0xD800 && text.back() <= 0xDBFF) text.pop_back();
  } else if (typed == L'\r') {
    text.push_back(L'\n');
  } else if (typed >= 0x20 || typed == L'\t') {
    text.push_back(typed);
  }
  SetText(text);
}

bool CRichEditUI::ApplyAttribute(std::string_view name, std::string_view value) {
  // Wrapped text is drawn within the box; a box that overflows is clipped, so the
  // scroll bar request needs nothing more here.
  if (name == "vscrollbar" || name == "multiline" || name == "readonly") return true;
  return CLabelUI::ApplyAttribute(name, value);
}

}  // namespace DuiLib
