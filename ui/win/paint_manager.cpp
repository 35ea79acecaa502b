#include "ui/win/paint_manager.h"

#include <algorithm>

#include "ui/win/manager_registry.h"
#include "ui/win/ui_lock.h"

namespace DuiLib {

CPaintManagerUI::CPaintManagerUI() = default;

CPaintManagerUI::~CPaintManagerUI() {
  UiGuard guard;
  UnregisterManager(this);
  // The tree goes first: its controls report to this manager while they are destroyed.
  root_.reset();
}

void CPaintManagerUI::Init(HWND window) {
  UiGuard guard;
  window_ = window;
  uiThread_ = ::GetWindowThreadProcessId(window, nullptr);
  RegisterManager(this);
}

bool CPaintManagerUI::IsUiThread() const { return ::GetCurrentThreadId() == uiThread_; }

bool CPaintManagerUI::AttachDialog(CControlUI* root) {
  if (root == nullptr) return false;
  UiGuard guard;
  root_.reset(root);
  root->SetManager(this, nullptr);
  NeedLayout();
  return true;
}

CControlUI* CPaintManagerUI::GetRoot() const {
  UiGuard guard;
  return root_.get();
}

CControlUI* CPaintManagerUI::FindControl(const std::wstring& name) const {
  UiGuard guard;
  return root_ && !name.empty() ? root_->FindControlByName(name) : nullptr;
}

CControlUI* CPaintManagerUI::FindControl(POINT point) const {
  UiGuard guard;
  return root_ ? root_->FindControlAt(point) : nullptr;
}

CControlUI* CPaintManagerUI::GetFocus() const {
  UiGuard guard;
  return focused_;
}

void CPaintManagerUI::SetFocus(CControlUI* control) {
  UiGuard guard;
  if (focused_ == control) return;
  if (focused_) focused_->Invalidate();
  focused_ = control;
  if (focused_) focused_->Invalidate();
}

bool CPaintManagerUI::AddNotifier(INotifyUI* receiver) {
  UiGuard guard;
  if (!receiver || std::find(notifiers_.begin(), notifiers_.end(), receiver) != notifiers_.end())
    return false;
  notifiers_.push_back(receiver);
  return true;
}

bool CPaintManagerUI::RemoveNotifier(INotifyUI* receiver) {
  UiGuard guard;
  auto found = std::find(notifiers_.begin(), notifiers_.end(), receiver);
  if (found == notifiers_.end()) return false;
  notifiers_.erase(found);
  return true;
}

bool CPaintManagerUI::AddMessageFilter(IMessageFilterUI* filter) {
  UiGuard guard;
  if (!filter || std::find(filters_.begin(), filters_.end(), filter) != filters_.end())
    return false;
  filters_.push_back(filter);
  return true;
}

bool CPaintManagerUI::RemoveMessageFilter(IMessageFilterUI* filter) {
  UiGuard guard;
  auto found = std::find(filters_.begin(), filters_.end(), filter);
  if (found == filters_.end()) return false;
  filters_.erase(found);
  return true;
}

void CPaintManagerUI::SendNotify(CControlUI* control, const std::wstring& type, WPARAM wParam,
                                 LPARAM lParam) {
  TNotifyUI notify;
  notify.sType = type;
  notify.pSender = control;
  notify.dwTimestamp = ::GetTickCount();
  notify.wParam = wParam;
  notify.lParam = lParam;
  ::GetCursorPos(&notify.ptMouse);
  if (window_) ::ScreenToClient(window_, &notify.ptMouse);
  if (IsUiThread()) {
    DeliverNotify(notify);
  } else if (window_) {
    // Receivers run on the UI thread only; the record travels with the message.
    ::PostMessageW(window_, kMsgPostedNotify, 0,
                   reinterpret_cast<LPARAM>(new TNotifyUI(notify)));
  }
}

void CPaintManagerUI::DeliverNotify(TNotifyUI& notify) {
  std::vector<INotifyUI*> receivers;
  {
    UiGuard guard;
    receivers = notifiers_;
  }
  // Receivers may open modal dialogs or wait on slow work; workers keep going meanwhile.
  UiLockSuspension suspension;
  for (INotifyUI* receiver : receivers) {
    bool stillRegistered;
    {
      UiGuard guard;
      stillRegistered =
          std::find(notifiers_.begin(), notifiers_.end(), receiver) != notifiers_.end();
    }
    if (stillRegistered) receiver->Notify(notify);
  }
}

void CPaintManagerUI::SetInitSize(int width, int height) {
  initSize_ = SIZE{width, height};
  if (window_) {
    RECT bounds;
    ::GetWindowRect(window_, &bounds);
    ::SetWindowPos(window_, nullptr, 0, 0, width, height,
                   SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
  }
}

DefaultAttributeTable& CPaintManagerUI::SharedDefaults() {
  static DefaultAttributeTable shared;
  return shared;
}

const LayoutAttributes* CPaintManagerUI::FindDefaults(const std::string& kind) const {
  return FindDefaultAttributes(windowDefaults_, SharedDefaults(), kind);
}

void CPaintManagerUI::Invalidate(const RECT& rect) {
  UiGuard guard;
  if (!window_ || ::IsRectEmpty(&rect)) return;
  if (IsUiThread()) {
    ::InvalidateRect(window_, &rect, FALSE);
    return;
  }
  // From a worker, InvalidateRect is a round trip to the window's thread (a server call
  // under Wine) made while holding the UI lock. Workers change controls in bursts, so
  // their areas are gathered and handed over with one posted message.
  const bool first = ::IsRectEmpty(&workerDirt_) != FALSE;
  ::UnionRect(&workerDirt_, &workerDirt_, &rect);
  if (first) ::PostMessageW(window_, kMsgWorkerDirt, 0, 0);
}

void CPaintManagerUI::FlushWorkerDirt() {
  UiGuard guard;
  if (::IsRectEmpty(&workerDirt_)) return;
  ::InvalidateRect(window_, &workerDirt_, FALSE);
  workerDirt_ = RECT{0, 0, 0, 0};
}

void CPaintManagerUI::NeedLayout() {
  UiGuard guard;
  needLayout_ = true;
}

void CPaintManagerUI::ReapControl(CControlUI* control) {
  UiGuard guard;
  reaped_.push_back(control);
  if (pressed_ == control) pressed_ = nullptr;
  if (focused_ == control) focused_ = nullptr;
  hotChain_.erase(std::remove(hotChain_.begin(), hotChain_.end(), control), hotChain_.end());
  timers_.KillAll(control);
  SyncTimers();
}

bool CPaintManagerUI::IsReaped(const CControlUI* control) const {
  UiGuard guard;
  return std::find(reaped_.begin(), reaped_.end(), control) != reaped_.end();
}

void CPaintManagerUI::LayoutIfNeeded() {
  UiGuard guard;
  if (!needLayout_ || !root_ || !window_) return;
  needLayout_ = false;
  RECT client;
  ::GetClientRect(window_, &client);
  root_->SetPos(client);
}

void CPaintManagerUI::PaintInto(Canvas& canvas, const RECT& dirty) {
  UiGuard guard;
  LayoutIfNeeded();
  CanvasClip clip(canvas, dirty);
  canvas.FillRect(dirty, 0xFFFFFFFF);
  if (root_) root_->DoPaint(canvas, dirty);
}

void CPaintManagerUI::OnPaint() {
  UiGuard guard;
  // Layout first: it invalidates what moved, and BeginPaint then takes that in too.
  FlushWorkerDirt();
  LayoutIfNeeded();
  PAINTSTRUCT paint;
  HDC dc = ::BeginPaint(window_, &paint);
  RECT client;
  ::GetClientRect(window_, &client);
  if (!::IsRectEmpty(&paint.rcPaint) && canvas_.Resize(client.right, client.bottom)) {
    canvas_.ResetClip(client);
    PaintInto(canvas_, paint.rcPaint);
    const RECT& r = paint.rcPaint;
    ::BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, canvas_.dc(), r.left,
             r.top, SRCCOPY);
  }
  ::EndPaint(window_, &paint);
}

}  // namespace DuiLib
