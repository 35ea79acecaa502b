#pragma once

#include <windows.h>

#include <string>

namespace DuiLib {

class CControlUI;

// What the paint manager hands a control: mouse and timer events in window coordinates.
enum UIEVENT {
  UIEVENT_MOUSEMOVE = 1,
  UIEVENT_MOUSEENTER,
  UIEVENT_MOUSELEAVE,
  UIEVENT_BUTTONDOWN,
  UIEVENT_BUTTONUP,
  UIEVENT_DBLCLICK,
  UIEVENT_SCROLLWHEEL,
  UIEVENT_TIMER,
  UIEVENT_CHAR,  // wParam: the UTF-16 code unit typed, to the control with the focus
};

struct TEventUI {
  int Type = 0;
  CControlUI* pSender = nullptr;
  DWORD dwTimestamp = 0;
  POINT ptMouse{0, 0};
  WORD wKeyState = 0;
  WPARAM wParam = 0;  // UIEVENT_TIMER: the timer id; UIEVENT_SCROLLWHEEL: SB_LINEUP/DOWN
  LPARAM lParam = 0;
};

// A notification as every receiver gets it: "click" or "timer" (with the id in wParam).
struct TNotifyUI {
  std::wstring sType;
  std::wstring sVirtualType;
  CControlUI* pSender = nullptr;
  DWORD dwTimestamp = 0;
  POINT ptMouse{0, 0};
  WPARAM wParam = 0;
  LPARAM lParam = 0;
};

class INotifyUI {
 public:
  virtual ~INotifyUI() = default;
  virtual void Notify(TNotifyUI& msg) = 0;
};

// Sees a window's raw messages before the controls do; setting bHandled stops them there.
class IMessageFilterUI {
 public:
  virtual ~IMessageFilterUI() = default;
  virtual LRESULT MessageHandler(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) = 0;
};

// The window's answer for element names the layout builder does not know.
class IDialogBuilderCallback {
 public:
  virtual ~IDialogBuilderCallback() = default;
  virtual CControlUI* CreateControl(const wchar_t* pstrClass) = 0;
};

}  // namespace DuiLib
