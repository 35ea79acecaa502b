#pragma once

#include <windows.h>

namespace DuiLib {

// A native window whose one window procedure forwards to the virtual HandleMessage.
class CWindowWnd {
 public:
  CWindowWnd() = default;
  virtual ~CWindowWnd() = default;
  CWindowWnd(const CWindowWnd&) = delete;
  CWindowWnd& operator=(const CWindowWnd&) = delete;

  HWND GetHWND() const { return window_; }
  operator HWND() const { return window_; }

  HWND Create(HWND owner, const wchar_t* title, DWORD style, DWORD exStyle, int x = 0,
              int y = 0, int width = 0, int height = 0);
  void ShowWindow(bool show = true, bool takeFocus = true);
  // Shows the window, disables its owner and runs messages until the window is gone; then
  // the owner is enabled and focused again. Returns the close code.
  UINT ShowModal();
  // Asks the window to close with `code`; a modal loop returns it.
  void Close(UINT code = IDOK);
  // Centres the window over its owner, or over the work area when it has none.
  void CenterWindow();

 protected:
  virtual const wchar_t* GetWndClassName() const = 0;
  virtual UINT GetClassStyle() const { return CS_DBLCLKS; }
  virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  // After the native window is gone; the object may delete itself here.
  virtual void OnFinalMessage(HWND window);

  bool RegisterWindowClass();
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  HWND window_ = nullptr;
  // Set by ShowModal: where the close code goes, since the object may be gone when the
  // loop ends.
  UINT* modalResult_ = nullptr;
  HWND modalOwner_ = nullptr;
};

}  // namespace DuiLib
