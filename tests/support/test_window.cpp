#include "test_window.h"

void TestWindow::Notify(DuiLib::TNotifyUI& msg) {
  heard.push_back(Heard{msg.sType, msg.pSender ? msg.pSender->GetName() : L"", msg.wParam,
                        ::GetCurrentThreadId()});
  if (onNotify) onNotify(msg);
}

DuiLib::CControlUI* TestWindow::CreateControl(const wchar_t* name) {
  return onCreateControl ? onCreateControl(name) : nullptr;
}

HWND TestWindow::CreateFramed(HWND owner) {
  // The program's style: visible, caption, system menu, sizing frame, minimise box.
  return Create(owner, L"Tessavane", 0x10CE0000, 0x100, 0, 0, 0, 0);
}

void TestWindow::OnFinalMessage(HWND window) {
  WindowImplBase::OnFinalMessage(window);
  finalMessageSeen = true;
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  const DWORD start = ::GetTickCount();
  while (!done()) {
    if (::GetTickCount() - start > timeoutMs) return false;
    MSG msg;
    // Bounded: workers may post faster than one pass drains the queue.
    for (int i = 0; i < 64 && ::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE); ++i) {
      if (!DuiLib::CPaintManagerUI::TranslateMessage(&msg)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
      }
    }
    if (!done()) ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
  return true;
}

void PumpFor(DWORD ms) {
  PumpUntil([] { return false; }, ms);
}

POINT CentreOf(DuiLib::CControlUI* control) {
  const RECT r = control->GetPos();
  return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

void MoveTo(HWND window, POINT point) {
  ::SendMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(point.x, point.y));
}

void ClickAt(HWND window, POINT point) {
  MoveTo(window, point);
  ::SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
  ::SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
}
