#pragma once

#include "ui/win/control.h"

namespace DuiLib {

// The vertical scroll bar of a container: a track picture with a thumb that shows which
// part of the content is in view. Dragging the thumb or pressing the track scrolls; the
// arrow buttons are never shown by this program's skin.
class CScrollBarUI : public CControlUI {
 public:
  static constexpr int kDefaultWidth = 16;

  static constexpr ControlKind<CScrollBarUI> kKind{L"ScrollBar"};
  std::wstring GetClass() const override;
  CControlUI* GetInterface(const std::wstring& name) override;

  // Content height beyond the view; 0 hides nothing and shows no thumb.
  void SetScrollRange(int range);
  int GetScrollRange() const { return range_; }
  void SetScrollPos(int pos);
  int GetScrollPos() const { return scrollPos_; }
  int GetWidth() const;
  RECT ThumbRect() const;

  bool ApplyAttribute(std::string_view name, std::string_view value) override;
  void DoEvent(TEventUI& event) override;

 protected:
  void PaintBkImage(Canvas& canvas) override;
  void PaintStatusImage(Canvas& canvas) override;

 private:
  void ScrollOwnerTo(int pos);

  int range_ = 0;
  int scrollPos_ = 0;
  bool thumbHot_ = false;
  bool dragging_ = false;
  int dragStartY_ = 0;
  int dragStartPos_ = 0;
  std::string trackImage_;
  std::string thumbNormalImage_;
  std::string thumbHotImage_;
  std::string thumbPushedImage_;
};

}  // namespace DuiLib
