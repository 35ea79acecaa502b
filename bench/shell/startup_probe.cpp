// Times a program from its process start to the first frame of its main window on screen:
// the window of the given class is visible and the screen shows the expected colour at the
// given point of it. Then the window is asked to close and the program's end awaited.
//
// usage: startup_probe PROGRAM.exe WINDOW_CLASS X Y RRGGBB
// prints: the milliseconds, or "timeout"
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

int wmain(int argc, wchar_t** argv) {
  if (argc != 6) {
    std::fprintf(stderr, "usage: startup_probe PROGRAM.exe WINDOW_CLASS X Y RRGGBB\n");
    return 2;
  }
  const int x = _wtoi(argv[3]);
  const int y = _wtoi(argv[4]);
  const unsigned long rgb = std::wcstoul(argv[5], nullptr, 16);
  const COLORREF expected = RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);

  std::wstring command = L"\"" + std::wstring(argv[1]) + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  LARGE_INTEGER frequency, start, now;
  ::QueryPerformanceFrequency(&frequency);
  ::QueryPerformanceCounter(&start);
  if (!::CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
    std::fprintf(stderr, "startup_probe: cannot start the program\n");
    return 1;
  }
  double elapsedMs = -1;
  HWND window = nullptr;
  HDC screen = ::GetDC(nullptr);
  for (;;) {
    ::QueryPerformanceCounter(&now);
    const double ms = (now.QuadPart - start.QuadPart) * 1000.0 / frequency.QuadPart;
    if (ms > 30000) break;
    window = ::FindWindowW(argv[2], nullptr);
    if (window && ::IsWindowVisible(window)) {
      RECT rect;
      ::GetWindowRect(window, &rect);
      if (::GetPixel(screen, rect.left + x, rect.top + y) == expected) {
        elapsedMs = ms;
        break;
      }
    }
    ::Sleep(1);
  }
  ::ReleaseDC(nullptr, screen);
  if (window) ::PostMessageW(window, WM_CLOSE, 0, 0);
  if (::WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0)
    ::TerminateProcess(process.hProcess, 1);
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
  if (elapsedMs < 0) {
    std::printf("timeout\n");
    return 1;
  }
  std::printf("%.1f\n", elapsedMs);
  return 0;
}
