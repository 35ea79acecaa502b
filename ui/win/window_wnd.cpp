#include "ui/win/window_wnd.h"

#include "ui/win/paint_manager.h"

namespace DuiLib {

bool CWindowWnd::RegisterWindowClass() {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.style = GetClassStyle();
  wc.lpfnWndProc = &CWindowWnd::WindowProc;
  wc.hInstance = CPaintManagerUI::GetInstance();
  wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = GetWndClassName();
  if (::RegisterClassExW(&wc) != 0) return true;
  return ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

HWND CWindowWnd::Create(HWND owner, const wchar_t* title, DWORD style, DWORD exStyle, int x,
                        int y, int width, int height) {
  if (!RegisterWindowClass()) return nullptr;
  window_ = ::CreateWindowExW(exStyle, GetWndClassName(), title, style, x, y, width, height,
                              owner, nullptr, CPaintManagerUI::GetInstance(), this);
  return window_;
}

void CWindowWnd::ShowWindow(bool show, bool takeFocus) {
  if (!::IsWindow(window_)) return;
  ::ShowWindow(window_, show ? (takeFocus ? SW_SHOWNORMAL : SW_SHOWNOACTIVATE) : SW_HIDE);
}

UINT CWindowWnd::ShowModal() {
  if (!::IsWindow(window_)) return static_cast<UINT>(-1);
  HWND self = window_;
  UINT result = 0;
  modalResult_ = &result;
  modalOwner_ = ::GetWindow(self, GW_OWNER);
  // A dialog opened from a press (a tile clicks on button down) would find the mouse still
  // captured by the window behind it and get no mouse input at all.
  if (::GetCapture() != nullptr) ::ReleaseCapture();
  ::ShowWindow(self, SW_SHOWNORMAL);
  if (modalOwner_) ::EnableWindow(modalOwner_, FALSE);
  HWND owner = modalOwner_;
  MSG msg{};
  bool quit = false;
  while (::IsWindow(self)) {
    if (::GetMessageW(&msg, nullptr, 0, 0) <= 0) {
      quit = true;
      break;
    }
    if (!CPaintManagerUI::TranslateMessage(&msg)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
  }
  if (owner) {
    ::EnableWindow(owner, TRUE);
    ::SetFocus(owner);
  }
  // The quit request belongs to the outer loop: put it back for that loop to see.
  if (quit) ::PostQuitMessage(static_cast<int>(msg.wParam));
  return result;
}

void CWindowWnd::Close(UINT code) {
  if (::IsWindow(window_)) ::PostMessageW(window_, WM_CLOSE, code, 0);
}

void CWindowWnd::CenterWindow() {
  if (!::IsWindow(window_)) return;
  RECT window;
  ::GetWindowRect(window_, &window);
  RECT area;
  HWND owner = ::GetWindow(window_, GW_OWNER);
  if (owner && ::IsWindowVisible(owner) && !::IsIconic(owner)) {
    ::GetWindowRect(owner, &area);
  } else {
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  }
  const int width = window.right - window.left;
  const int height = window.bottom - window.top;
  const int x = area.left + ((area.right - area.left) - width) / 2;
  const int y = area.top + ((area.bottom - area.top) - height) / 2;
  ::SetWindowPos(window_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CWindowWnd::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CLOSE) {
    if (modalResult_) *modalResult_ = static_cast<UINT>(wParam);
    // Enabling the owner before the dialog goes keeps Windows from activating some other
    // program's window in between.
    if (modalOwner_) ::EnableWindow(modalOwner_, TRUE);
    ::DestroyWindow(window_);
    return 0;
  }
  return ::DefWindowProcW(window_, message, wParam, lParam);
}

void CWindowWnd::OnFinalMessage(HWND) {}

LRESULT CALLBACK CWindowWnd::WindowProc(HWND window, UINT message, WPARAM wParam,
                                        LPARAM lParam) {
  CWindowWnd* self = nullptr;
  if (message == WM_NCCREATE) {
    self = static_cast<CWindowWnd*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->window_ = window;
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  } else {
    self = reinterpret_cast<CWindowWnd*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  }
  if (self == nullptr) return ::DefWindowProcW(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    const LRESULT result = self->HandleMessage(message, wParam, lParam);
    ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    self->window_ = nullptr;
    self->modalResult_ = nullptr;
    self->OnFinalMessage(window);
    return result;
  }
  return self->HandleMessage(message, wParam, lParam);
}

}  // namespace DuiLib
