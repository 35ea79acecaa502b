#pragma once

#include "ui/win/control.h"

namespace DuiLib {

// Plays the GIF named by bkimage frame by frame, each on its own delay, in a loop. The
// frame timer runs only while the control is shown: a hidden picture stops at its next
// tick and starts again when it is painted.
class CGifAnimUI : public CControlUI {
 public:
  // Inside the window's timer table, above every id that the program's pages use.
  static constexpr UINT kFrameTimerId = 0x7FFF0001;

  static constexpr ControlKind<CGifAnimUI> kKind{L"GifAnim"};
  std::wstring GetClass() const override;
  CControlUI* GetInterface(const std::wstring& name) override;
  size_t CurrentFrame() const;

  void DoEvent(TEventUI& event) override;

 protected:
  void PaintBkImage(Canvas& canvas) override;

 private:
  void ArmFrameTimer(size_t frameCount);

  size_t frame_ = 0;
  bool playing_ = false;
};

}  // namespace DuiLib
