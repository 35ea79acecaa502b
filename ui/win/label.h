#pragma once

#include "ui/attribute_values.h"
#include "ui/win/control.h"

namespace DuiLib {

// One line of text, centred vertically, aligned left, centred or right in the control less
// its text padding, in a font of the window's table.
class CLabelUI : public CControlUI {
 public:
  static constexpr ControlKind<CLabelUI> kKind{L"Label"};
  std::wstring GetClass() const override;
  CControlUI* GetInterface(const std::wstring& name) override;

  void SetFont(int id);
  int GetFont() const;
  void SetTextColor(uint32_t argb);
  uint32_t GetTextColor() const;
  void SetTextPadding(RECT padding);
  RECT GetTextPadding() const;
  void SetTextAlign(TextAlign align);
  TextAlign GetTextAlign() const;

  bool ApplyAttribute(std::string_view name, std::string_view value) override;

 protected:
  void PaintText(Canvas& canvas) override;
  virtual uint32_t CurrentTextColor() const;
  virtual CanvasTextFlow TextFlow() const { return CanvasTextFlow::kSingleLine; }
  RECT TextRect() const;

  int font_ = -1;  // -1: the window's default font
  uint32_t textColor_ = 0xFF000000;
  uint32_t disabledTextColor_ = 0xFFA7A6AA;
  RECT textPadding_{0, 0, 0, 0};
  TextAlign align_ = TextAlign::kLeft;
};

// "Text": a label in its own right; the window's drag area does not start over it.
class CTextUI : public CLabelUI {
 public:
  static constexpr ControlKind<CTextUI> kKind{L"Text"};
  std::wstring GetClass() const override;
  CControlUI* GetInterface(const std::wstring& name) override;
};

// The multi-line text box: the text wraps at the control's width and starts at the top.
// A press gives it the focus; typed characters then go at the end of its text, Backspace
// takes the last one away and Return starts a new line.
class CRichEditUI : public CLabelUI {
 public:
  static constexpr ControlKind<CRichEditUI> kKind{L"RichEdit"};
  std::wstring GetClass() const override;
  CControlUI* GetInterface(const std::wstring& name) override;
  bool ApplyAttribute(std::string_view name, std::string_view value) override;
  bool IsFocusable() const override { return enabled_; }
  void DoEvent(TEventUI& event) override;

 protected:
  CanvasTextFlow TextFlow() const override { return CanvasTextFlow::kWrapped; }
};

}  // namespace DuiLib
