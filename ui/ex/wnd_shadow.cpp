#include "ui/ex/wnd_shadow.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "ui/win/gdi_canvas.h"

namespace DuiLib {

namespace {

constexpr wchar_t kShadowClass[] = L"TessavaneWndShadow";
constexpr wchar_t kShadowProp[] = L"TessavaneWndShadowObject";
HINSTANCE gInstance = nullptr;

bool RunningUnderWine() {
  HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
  return ntdll != nullptr && ::GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

bool& BlendSetting() {
  static bool blend = !RunningUnderWine();
  return blend;
}

}  // namespace

bool CWndShadow::LayeredWindowsBlend() { return BlendSetting(); }

void CWndShadow::SetLayeredWindowsBlend(bool blend) { BlendSetting() = blend; }

bool CWndShadow::Initialize(HINSTANCE instance) {
  gInstance = instance;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = ::DefWindowProcW;
  wc.hInstance = instance;
  wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = kShadowClass;
  return ::RegisterClassExW(&wc) != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

CWndShadow::~CWndShadow() {
  if (parent_ && ::IsWindow(parent_) && parentProc_) {
    ::SetWindowLongPtrW(parent_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(parentProc_));
    ::RemovePropW(parent_, kShadowProp);
  }
  if (shadow_ && ::IsWindow(shadow_)) ::DestroyWindow(shadow_);
}

bool CWndShadow::Create(HWND window) {
  if (!window || shadow_) return false;
  if (!LayeredWindowsBlend()) return true;  // no shadow is better than a black slab
  parent_ = window;
  // Owned windows always stay above their owner, so the shadow shares the window's owner
  // instead and is placed right behind the window in the z-order.
  shadow_ = ::CreateWindowExW(
      WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW, kShadowClass,
      L"", WS_POPUP, 0, 0, 0, 0, ::GetWindow(window, GW_OWNER), nullptr,
      gInstance ? gInstance : ::GetModuleHandleW(nullptr), nullptr);
  if (!shadow_) return false;
  ::SetPropW(parent_, kShadowProp, this);
  parentProc_ = reinterpret_cast<WNDPROC>(::SetWindowLongPtrW(
      parent_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWndShadow::ParentProc)));
  Show();
  return true;
}

bool CWndShadow::SetSize(int size) {
  if (size < 0 || size > 20) return false;
  size_ = size;
  lookChanged_ = true;
  Show();
  return true;
}

bool CWndShadow::SetSharpness(unsigned sharpness) {
  if (sharpness > 20) return false;
  sharpness_ = sharpness;
  lookChanged_ = true;
  Show();
  return true;
}

bool CWndShadow::SetDarkness(unsigned darkness) {
  if (darkness > 255) return false;
  darkness_ = darkness;
  lookChanged_ = true;
  Show();
  return true;
}

bool CWndShadow::SetPosition(int x, int y) {
  if (x < -20 || x > 20 || y < -20 || y > 20) return false;
  x_ = x;
  y_ = y;
  Show();
  return true;
}

bool CWndShadow::SetColor(COLORREF color) {
  color_ = color;
  lookChanged_ = true;
  Show();
  return true;
}

uint8_t CWndShadow::AlphaAt(int distance, int size, unsigned sharpness, unsigned darkness) {
  if (distance <= 0) return static_cast<uint8_t>(darkness);
  if (distance >= size) return 0;
  // Falls from `darkness` at the edge to 0 at `size`; sharpness bends the curve outward.
  const double t = 1.0 - static_cast<double>(distance) / size;
  const double curve = std::pow(t, 2.0 - std::min(sharpness, 20u) / 10.0);
  return static_cast<uint8_t>(std::lround(darkness * curve));
}

void CWndShadow::Show() {
  if (!shadow_) return;
  if (!::IsWindowVisible(parent_) || ::IsIconic(parent_) || size_ <= 0) {
    ::ShowWindow(shadow_, SW_HIDE);
    return;
  }
  Update();
}

bool CWndShadow::NeedsNewPicture(int width, int height) const {
  return lookChanged_ || width != pictureWidth_ || height != pictureHeight_ ||
         !::IsWindowVisible(shadow_);
}

void CWndShadow::Update() {
  RECT window;
  ::GetWindowRect(parent_, &window);
  const int width = window.right - window.left + 2 * size_;
  const int height = window.bottom - window.top + 2 * size_;
  if (!NeedsNewPicture(width, height)) {
    ::SetWindowPos(shadow_, parent_, window.left - size_ + x_, window.top - size_ + y_, 0, 0,
                   SWP_NOSIZE | SWP_NOACTIVATE);
    return;
  }
  lookChanged_ = false;
  pictureWidth_ = width;
  pictureHeight_ = height;
  std::vector<uint8_t> pixels(static_cast<size_t>(width) * height * 4);
  for (int y = 0; y < height; ++y) {
    const int dy = std::max(size_ - y, y - (height - 1 - size_));
    for (int x = 0; x < width; ++x) {
      const int dx = std::max(size_ - x, x - (width - 1 - size_));
      const int distance = static_cast<int>(
          std::lround(std::sqrt(std::max(dx, 0) * std::max(dx, 0) + std::max(dy, 0) * std::max(dy, 0))));
      const unsigned a = AlphaAt(distance, size_, sharpness_, darkness_);
      uint8_t* p = &pixels[(static_cast<size_t>(y) * width + x) * 4];
      p[0] = static_cast<uint8_t>(GetBValue(color_) * a / 255);
      p[1] = static_cast<uint8_t>(GetGValue(color_) * a / 255);
      p[2] = static_cast<uint8_t>(GetRValue(color_) * a / 255);
      p[3] = static_cast<uint8_t>(a);
    }
  }
  CutOutWindow(width, height);
  HBITMAP bitmap = CreatePremultipliedBitmap(width, height, pixels.data());
  HDC dc = ::CreateCompatibleDC(nullptr);
  HGDIOBJ old = ::SelectObject(dc, bitmap);
  POINT to{window.left - size_ + x_, window.top - size_ + y_};
  SIZE size{width, height};
  POINT from{0, 0};
  BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  ::UpdateLayeredWindow(shadow_, nullptr, &to, &size, dc, &from, 0, &blend, ULW_ALPHA);
  ::SelectObject(dc, old);
  ::DeleteDC(dc);
  ::DeleteObject(bitmap);
  ::SetWindowPos(shadow_, parent_, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void CWndShadow::CutOutWindow(int width, int height) {
  // The shadow only ever covers the ring around the window. Where layered windows are not
  // blended (Wine on an X server without a compositor) it would otherwise hide the window
  // whenever it ends up above it in the stacking order.
  RECT window;
  ::GetWindowRect(parent_, &window);
  HRGN ring = ::CreateRectRgn(0, 0, width, height);
  HRGN hole = ::CreateRectRgn(size_ - x_, size_ - y_, size_ - x_ + (window.right - window.left),
                              size_ - y_ + (window.bottom - window.top));
  ::CombineRgn(ring, ring, hole, RGN_DIFF);
  ::DeleteObject(hole);
  ::SetWindowRgn(shadow_, ring, FALSE);  // the system owns the region from here on
}

LRESULT CALLBACK CWndShadow::ParentProc(HWND window, UINT message, WPARAM wParam,
                                        LPARAM lParam) {
  CWndShadow* self = static_cast<CWndShadow*>(::GetPropW(window, kShadowProp));
  if (self == nullptr) return ::DefWindowProcW(window, message, wParam, lParam);
  WNDPROC next = self->parentProc_;
  switch (message) {
    case WM_MOVE:
    case WM_SIZE:
    case WM_SHOWWINDOW:
    case WM_WINDOWPOSCHANGED:
      if (message == WM_SHOWWINDOW && !wParam) {
        ::ShowWindow(self->shadow_, SW_HIDE);
      } else {
        // After the window has handled it: the window's new rectangle is known then.
        const LRESULT result = ::CallWindowProcW(next, window, message, wParam, lParam);
        self->Show();
        return result;
      }
      break;
    case WM_NCDESTROY:
      // The window goes: hand it its own procedure back before it sees its last message.
      ::SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(next));
      ::RemovePropW(window, kShadowProp);
      if (self->shadow_) ::DestroyWindow(self->shadow_);
      self->shadow_ = nullptr;
      self->parent_ = nullptr;
      self->parentProc_ = nullptr;
      return ::CallWindowProcW(next, window, message, wParam, lParam);
    default:
      break;
  }
  return ::CallWindowProcW(next, window, message, wParam, lParam);
}

}  // namespace DuiLib
