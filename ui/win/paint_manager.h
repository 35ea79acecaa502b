#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ui/default_attribute_table.h"
#include "ui/font_directive.h"
#include "ui/win/canvas.h"
#include "ui/win/control.h"
#include "ui/win/font_table.h"
#include "ui/win/gdi_canvas.h"
#include "ui/win/timer_table.h"
#include "ui/win/ui_events.h"

namespace DuiLib {

// The root of one top-level window: owns its control tree, lays it out, paints it into a
// back buffer, turns mouse messages into control events, runs the timers and delivers
// notifications to the registered receivers in registration order.
class CPaintManagerUI {
 public:
  CPaintManagerUI();
  ~CPaintManagerUI();
  CPaintManagerUI(const CPaintManagerUI&) = delete;
  CPaintManagerUI& operator=(const CPaintManagerUI&) = delete;

  void Init(HWND window);
  HWND GetPaintWindow() const { return window_; }
  bool IsUiThread() const;

  // Takes ownership of the tree. Returns false when there is no root.
  bool AttachDialog(CControlUI* root);
  CControlUI* GetRoot() const;
  CControlUI* FindControl(const std::wstring& name) const;
  CControlUI* FindControl(POINT point) const;
  // The control that typed characters go to, or null.
  CControlUI* GetFocus() const;
  void SetFocus(CControlUI* control);

  bool SetTimer(CControlUI* control, UINT id, UINT elapseMs);
  bool KillTimer(CControlUI* control, UINT id);
  void KillTimers(CControlUI* control);

  bool AddNotifier(INotifyUI* receiver);
  bool RemoveNotifier(INotifyUI* receiver);
  bool AddMessageFilter(IMessageFilterUI* filter);
  bool RemoveMessageFilter(IMessageFilterUI* filter);
  void SendNotify(CControlUI* control, const std::wstring& type, WPARAM wParam = 0,
                  LPARAM lParam = 0);

  // Window settings of the layout file.
  SIZE GetInitSize() const { return initSize_; }
  void SetInitSize(int width, int height);
  RECT GetCaptionRect() const { return caption_; }
  void SetCaptionRect(const RECT& caption) { caption_ = caption; }
  FontTable& Fonts() { return fonts_; }
  CanvasFont GetFont(int id) const { return fonts_.Get(id); }
  DefaultAttributeTable& WindowDefaults() { return windowDefaults_; }
  static DefaultAttributeTable& SharedDefaults();
  const LayoutAttributes* FindDefaults(const std::string& kind) const;

  void Invalidate(const RECT& rect);
  void NeedLayout();
  // Called by a control's destructor: forgets it as hot, pressed or timer owner.
  void ReapControl(CControlUI* control);
  // True when `control` was destroyed since the current mouse or timer event began: a
  // receiver of its notification may have removed it, and the caller must not touch it.
  bool IsReaped(const CControlUI* control) const;

  // Lays out when needed and paints `dirty` of the whole window into `canvas`: the screen's
  // back buffer, or a recorder in tests.
  void PaintInto(Canvas& canvas, const RECT& dirty);
  // Lays out now if anything changed since the last pass.
  void LayoutIfNeeded();
  // The window's messages; true when handled, with the result in `result`.
  bool MessageHandler(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  // Key handling before the window sees a message: Escape closes it with code 1.
  static bool TranslateMessage(const MSG* msg);

  static void SetInstance(HINSTANCE instance);
  static HINSTANCE GetInstance();
  static void MessageLoop();
  static void Term();

 private:
  void OnPaint();
  void OnMouseMove(POINT point);
  void UpdateHot(CControlUI* hit, POINT point);
  void OnButtonDown(POINT point, WPARAM keys, bool doubleClick);
  void OnButtonUp(POINT point, WPARAM keys);
  void OnMouseWheel(POINT point, int delta);
  void OnTimer(UINT_PTR nativeId);
  void SendEvent(CControlUI* control, int type, POINT point, WPARAM wParam = 0);
  void DeliverNotify(TNotifyUI& notify);
  void SyncTimers();
  void FlushWorkerDirt();

  HWND window_ = nullptr;
  DWORD uiThread_ = 0;
  std::unique_ptr<CControlUI> root_;
  CControlUI* pressed_ = nullptr;
  CControlUI* focused_ = nullptr;
  std::vector<const CControlUI*> reaped_;
  std::vector<CControlUI*> hotChain_;  // the hot control and its ancestors, outermost first
  bool trackingLeave_ = false;
  bool needLayout_ = true;
  RECT workerDirt_{0, 0, 0, 0};  // invalidated by workers, not yet handed to the window
  SIZE initSize_{0, 0};
  RECT caption_{0, 0, 0, 0};
  FontTable fonts_;
  DefaultAttributeTable windowDefaults_;
  TimerTable timers_;
  std::vector<INotifyUI*> notifiers_;
  std::vector<IMessageFilterUI*> filters_;
  GdiCanvas canvas_;
};

// A private message: a worker armed or killed a timer; the UI thread applies the change.
constexpr UINT kMsgSyncTimers = WM_APP + 0x3F0;
// A private message: a notification that a worker asked for, delivered on the UI thread.
constexpr UINT kMsgPostedNotify = WM_APP + 0x3F1;
// A private message: workers changed controls; their area is to be repainted.
constexpr UINT kMsgWorkerDirt = WM_APP + 0x3F2;

}  // namespace DuiLib
