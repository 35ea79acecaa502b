// The yardstick of the start-up benchmark: the least a Win32 program does to put a window of
// the main window's size on screen, painted in one colour (the header's selected-tab blue).
#include <windows.h>

namespace {

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = ::BeginPaint(window, &paint);
      HBRUSH brush = ::CreateSolidBrush(RGB(0x1B, 0x68, 0xC2));
      ::FillRect(dc, &paint.rcPaint, brush);
      ::DeleteObject(brush);
      ::EndPaint(window, &paint);
      return 0;
    }
    case WM_DESTROY:
      ::PostQuitMessage(0);
      return 0;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = instance;
  wc.lpszClassName = L"TessaMinimalWindow";
  wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  ::RegisterClassW(&wc);
  HWND window = ::CreateWindowExW(0, wc.lpszClassName, L"minimal", WS_POPUP | WS_VISIBLE, 200, 200,
                                  847, 567, nullptr, nullptr, instance, nullptr);
  if (window == nullptr) return 1;
  MSG msg;
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  return 0;
}
