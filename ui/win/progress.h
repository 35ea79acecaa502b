#pragma once

#include "ui/win/label.h"

namespace DuiLib {

// A bar whose fore picture covers (value - min) / (max - min) of the width from the left.
class CProgressUI : public CLabelUI {
 public:
  static constexpr ControlKind<CProgressUI> kKind{L"Progress"};
  std::wstring GetClass() const override;
  CControlUI* GetInterface(const std::wstring& name) override;

  int GetValue() const;
  void SetValue(int value);
  void SetMinValue(int value);
  void SetMaxValue(int value);
  void SetForeImage(const std::wstring& image);
  // The part of the control that the fore picture covers now.
  RECT FilledRect() const;

  bool ApplyAttribute(std::string_view name, std::string_view value) override;

 protected:
  void PaintStatusImage(Canvas& canvas) override;

  int min_ = 0;
  int max_ = 100;
  int value_ = 0;
  std::string foreImage_;
};

// The slider of the layout files; it is shown, never dragged, by this program.
class CSliderUI : public CProgressUI {
 public:
  static constexpr ControlKind<CSliderUI> kKind{L"Slider"};
  std::wstring GetClass() const override;
  CControlUI* GetInterface(const std::wstring& name) override;
};

}  // namespace DuiLib
