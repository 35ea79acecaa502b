#pragma once

#include "ui/win/label.h"

namespace DuiLib {

// A label that reacts to the mouse: hot picture, colour and text colour while the mouse is
// over it, and "click" when the left button is released over it after a press on it.
class CButtonUI : public CLabelUI {
 public:
  static constexpr ControlKind<CButtonUI> kKind{L"Button"};
  std::wstring GetClass() const override;
  CControlUI* GetInterface(const std::wstring& name) override;

  void SetNormalImage(const std::wstring& image);
  void SetHotImage(const std::wstring& image);
  void SetPushedImage(const std::wstring& image);
  void SetHotTextColor(uint32_t argb);
  void SetHotBkColor(uint32_t argb);
  bool IsHot() const;
  bool IsPushed() const;

  bool ApplyAttribute(std::string_view name, std::string_view value) override;
  void DoEvent(TEventUI& event) override;
  // What a click does; the button sends "click".
  virtual void Activate();

 protected:
  void PaintBkColor(Canvas& canvas) override;
  void PaintStatusImage(Canvas& canvas) override;
  uint32_t CurrentTextColor() const override;

  bool hot_ = false;
  bool pushed_ = false;
  std::string normalImage_;
  std::string hotImage_;
  std::string pushedImage_;
  std::string disabledImage_;
  uint32_t hotTextColor_ = 0;
  uint32_t hotBkColor_ = 0;
};

// A button that keeps a selected state: selected picture and "selected" attribute. A click
// turns it on, or toggles it when it is a check box or has no group.
class COptionUI : public CButtonUI {
 public:
  static constexpr ControlKind<COptionUI> kKind{L"Option"};
  std::wstring GetClass() const override;
  CControlUI* GetInterface(const std::wstring& name) override;

  void SetSelectedImage(const std::wstring& image);
  bool GetCheck() const;
  void SetCheck(bool checked);
  void Selected(bool selected) { SetCheck(selected); }
  bool IsSelected() const { return GetCheck(); }

  bool ApplyAttribute(std::string_view name, std::string_view value) override;
  void Activate() override;

 protected:
  void PaintStatusImage(Canvas& canvas) override;

  bool selected_ = false;
  std::wstring group_;
  std::string selectedImage_;
  std::string selectedHotImage_;
};

// The tick box of the result lists: an option that toggles on every click.
class CCheckBoxUI : public COptionUI {
 public:
  static constexpr ControlKind<CCheckBoxUI> kKind{L"CheckBox"};
  std::wstring GetClass() const override;
  CControlUI* GetInterface(const std::wstring& name) override;
};

}  // namespace DuiLib
