#include <windowsx.h>

#include <algorithm>

#include "ui/win/paint_manager.h"
#include "ui/win/ui_lock.h"

namespace DuiLib {

namespace {

POINT PointOf(LPARAM lParam) { return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

std::vector<CControlUI*> ChainOf(CControlUI* control) {
  std::vector<CControlUI*> chain;
  for (CControlUI* c = control; c != nullptr; c = c->GetParent()) chain.push_back(c);
  std::reverse(chain.begin(), chain.end());
  return chain;
}

bool Contains(const std::vector<CControlUI*>& chain, CControlUI* control) {
  return std::find(chain.begin(), chain.end(), control) != chain.end();
}

}  // namespace

void CPaintManagerUI::SendEvent(CControlUI* control, int type, POINT point, WPARAM wParam) {
  if (control == nullptr) return;
  TEventUI event;
  event.Type = type;
  event.pSender = control;
  event.dwTimestamp = ::GetTickCount();
  event.ptMouse = point;
  event.wParam = wParam;
  control->DoEvent(event);
}

void CPaintManagerUI::UpdateHot(CControlUI* hit, POINT point) {
  // Enter and leave go to the whole chain of containers under the mouse, so a list row
  // stays hot while the mouse is over one of its labels.
  const std::vector<CControlUI*> chain = ChainOf(hit);
  const std::vector<CControlUI*> old = hotChain_;
  hotChain_ = chain;
  for (auto it = old.rbegin(); it != old.rend(); ++it) {
    if (!Contains(chain, *it) && !IsReaped(*it)) SendEvent(*it, UIEVENT_MOUSELEAVE, point);
  }
  for (CControlUI* control : chain) {
    if (!Contains(old, control) && !IsReaped(control)) {
      SendEvent(control, UIEVENT_MOUSEENTER, point);
    }
  }
}

void CPaintManagerUI::OnMouseMove(POINT point) {
  if (!trackingLeave_) {
    TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, window_, 0};
    trackingLeave_ = ::TrackMouseEvent(&track) != FALSE;
  }
  reaped_.clear();
  UpdateHot(root_ ? root_->FindControlAt(point) : nullptr, point);
  if (pressed_ && !IsReaped(pressed_)) SendEvent(pressed_, UIEVENT_MOUSEMOVE, point);
}

void CPaintManagerUI::OnButtonDown(POINT point, WPARAM keys, bool doubleClick) {
  reaped_.clear();
  CControlUI* hit = root_ ? root_->FindControlAt(point) : nullptr;
  if (hit == nullptr) return;
  ::SetCapture(window_);
  pressed_ = hit;
  SetFocus(hit->IsFocusable() ? hit : nullptr);
  TEventUI event;
  event.Type = doubleClick ? UIEVENT_DBLCLICK : UIEVENT_BUTTONDOWN;
  event.pSender = hit;
  event.dwTimestamp = ::GetTickCount();
  event.ptMouse = point;
  event.wKeyState = static_cast<WORD>(keys);
  hit->DoEvent(event);
}

void CPaintManagerUI::OnButtonUp(POINT point, WPARAM keys) {
  reaped_.clear();
  CControlUI* pressed = pressed_;
  pressed_ = nullptr;
  if (::GetCapture() == window_) ::ReleaseCapture();
  if (pressed == nullptr) return;
  TEventUI event;
  event.Type = UIEVENT_BUTTONUP;
  event.pSender = pressed;
  event.dwTimestamp = ::GetTickCount();
  event.ptMouse = point;
  event.wKeyState = static_cast<WORD>(keys);
  pressed->DoEvent(event);
}

void CPaintManagerUI::OnMouseWheel(POINT point, int delta) {
  reaped_.clear();
  CControlUI* hit = root_ ? root_->FindControlAt(point) : nullptr;
  SendEvent(hit, UIEVENT_SCROLLWHEEL, point, delta > 0 ? SB_LINEUP : SB_LINEDOWN);
}

bool CPaintManagerUI::MessageHandler(UINT message, WPARAM wParam, LPARAM lParam,
                                     LRESULT& result) {
  std::vector<IMessageFilterUI*> filters;
  {
    UiGuard guard;
    filters = filters_;
  }
  for (IMessageFilterUI* filter : filters) {
    bool handled = false;
    const LRESULT filtered = filter->MessageHandler(message, wParam, lParam, handled);
    if (handled) {
      result = filtered;
      return true;
    }
  }
  UiGuard guard;
  result = 0;
  switch (message) {
    case WM_PAINT:
      OnPaint();
      return true;
    case WM_ERASEBKGND:
      result = 1;  // the paint pass covers every pixel; erasing first would flicker
      return true;
    case WM_SIZE:
      NeedLayout();
      ::InvalidateRect(window_, nullptr, FALSE);
      return false;
    case WM_MOUSEMOVE:
      OnMouseMove(PointOf(lParam));
      return true;
    case WM_MOUSELEAVE:
      trackingLeave_ = false;
      if (!pressed_) {
        reaped_.clear();
        UpdateHot(nullptr, PointOf(lParam));
      }
      return true;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      OnButtonDown(PointOf(lParam), wParam, message == WM_LBUTTONDBLCLK);
      return true;
    case WM_LBUTTONUP:
      OnButtonUp(PointOf(lParam), wParam);
      return true;
    case WM_CHAR:
      if (focused_ == nullptr) return false;
      reaped_.clear();
      SendEvent(focused_, UIEVENT_CHAR, POINT{0, 0}, wParam);
      return true;
    case WM_CAPTURECHANGED:
      // Capture taken away mid-press: the pressed control hears a release far outside
      // itself, so it drops its pushed look without clicking.
      if (pressed_ != nullptr && reinterpret_cast<HWND>(lParam) != window_) {
        OnButtonUp(POINT{-32768, -32768}, 0);
      }
      return false;
    case WM_MOUSEWHEEL: {
      POINT point = PointOf(lParam);  // screen coordinates for this message
      ::ScreenToClient(window_, &point);
      OnMouseWheel(point, GET_WHEEL_DELTA_WPARAM(wParam));
      return true;
    }
    case WM_TIMER:
      OnTimer(wParam);
      return true;
    case kMsgWorkerDirt:
      FlushWorkerDirt();
      return true;
    case kMsgSyncTimers:
      SyncTimers();
      return true;
    case kMsgPostedNotify: {
      TNotifyUI* notify = reinterpret_cast<TNotifyUI*>(lParam);
      DeliverNotify(*notify);
      delete notify;
      return true;
    }
    default:
      return false;
  }
}

}  // namespace DuiLib
