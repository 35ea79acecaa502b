#pragma once

#include <windows.h>

#include <cstdint>

namespace DuiLib {

// A drop shadow around a top-level window: a layered, click-through window kept just
// behind its window, following it as it moves, resizes, hides and goes.
class CWndShadow {
 public:
  CWndShadow() = default;
  ~CWndShadow();
  CWndShadow(const CWndShadow&) = delete;
  CWndShadow& operator=(const CWndShadow&) = delete;

  // Once per process, before the first Create.
  static bool Initialize(HINSTANCE instance);
  // Whether the desktop blends layered windows. Windows always does. Wine on an X server
  // without a compositing manager shows their pixels opaque and stacks them above the
  // window they belong to, so there Create makes no shadow window at all (tests switch it
  // back on to check the shadow's behaviour).
  static bool LayeredWindowsBlend();
  static void SetLayeredWindowsBlend(bool blend);
  bool Create(HWND window);

  bool SetSize(int size);             // 0..20 pixels beyond the window's edge
  bool SetSharpness(unsigned sharpness);  // 0..20, higher is a harder edge
  bool SetDarkness(unsigned darkness);    // 0..255 at the window's edge
  bool SetPosition(int x, int y);         // offsets of -20..20; others are refused
  bool SetColor(COLORREF color);

  HWND GetHWND() const { return shadow_; }
  // The alpha of the shadow `distance` pixels outside the window's edge (0 at the edge).
  static uint8_t AlphaAt(int distance, int size, unsigned sharpness, unsigned darkness);

 private:
  static LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void Update();
  void Show();
  // The shadow's picture is made again only when the window's size or the look changed;
  // a move only moves the layered window.
  bool NeedsNewPicture(int width, int height) const;
  void CutOutWindow(int width, int height);

  HWND parent_ = nullptr;
  HWND shadow_ = nullptr;
  WNDPROC parentProc_ = nullptr;
  int size_ = 0;
  unsigned sharpness_ = 5;
  unsigned darkness_ = 150;
  int x_ = 0;
  int y_ = 0;
  COLORREF color_ = RGB(0, 0, 0);
  int pictureWidth_ = 0;
  int pictureHeight_ = 0;
  bool lookChanged_ = true;
};

}  // namespace DuiLib
