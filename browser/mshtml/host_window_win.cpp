#include "browser/mshtml/host_window_win.h"

#include "browser/mshtml/mshtml_browser_win.h"

namespace browser {

namespace {

constexpr wchar_t kHostClass[] = L"TessavaneBrowserHost";
// Child, clip children and siblings, tab stop, visible.
constexpr DWORD kHostStyle = 0x56010000;

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* browser = reinterpret_cast<MshtmlBrowser*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (message == WM_SIZE && browser) browser->FitToHost();
  // The page paints the whole window; erasing first would only flicker.
  if (message == WM_ERASEBKGND) return 1;
  return ::DefWindowProcW(window, message, wParam, lParam);
}

bool RegisterHostClass(HINSTANCE instance) {
  WNDCLASSW existing;
  if (::GetClassInfoW(instance, kHostClass, &existing)) return true;
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = HostProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
  windowClass.lpszClassName = kHostClass;
  return ::RegisterClassW(&windowClass) != 0;
}

}  // namespace

HWND CreateHostWindow(HWND parent, const RECT& rect, MshtmlBrowser* browser) {
  HINSTANCE instance = ::GetModuleHandleW(nullptr);
  if (!RegisterHostClass(instance)) return nullptr;
  HWND host = ::CreateWindowExW(0, kHostClass, L"", kHostStyle, rect.left, rect.top, rect.right - rect.left,
                                rect.bottom - rect.top, parent, nullptr, instance, nullptr);
  if (host) ::SetWindowLongPtrW(host, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(browser));
  return host;
}

void ForgetHostWindow(HWND host) { ::SetWindowLongPtrW(host, GWLP_USERDATA, 0); }

}  // namespace browser
