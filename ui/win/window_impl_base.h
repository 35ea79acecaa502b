#pragma once

#include <string>

#include "ui/win/control.h"
#include "ui/win/paint_manager.h"
#include "ui/win/ui_events.h"
#include "ui/win/window_wnd.h"

namespace DuiLib {

enum UILIB_RESOURCETYPE {
  UILIB_FILE = 1,
  UILIB_ZIP = 2,
  UILIB_RESOURCE = 3,
  UILIB_ZIPRESOURCE = 4,  // the skin package as a "ZIPRES" resource: the only one we ship
};

// A top-level window built from a layout file of the skin package. It has no system frame:
// the caption bits are removed and the whole window is client area, dragged by the
// layout's caption rectangle.
class WindowImplBase : public CWindowWnd,
                       public INotifyUI,
                       public IMessageFilterUI,
                       public IDialogBuilderCallback {
 public:
  WindowImplBase() = default;
  ~WindowImplBase() override = default;

  virtual void InitWindow() {}
  void Notify(TNotifyUI& msg) override;
  CControlUI* CreateControl(const wchar_t* pstrClass) override;
  LRESULT MessageHandler(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;

  CPaintManagerUI m_PaintManager;

 protected:
  virtual std::wstring GetSkinDirectory() const { return L"..\\skin\\Main"; }
  virtual std::wstring GetLayoutFileName() const = 0;
  virtual UILIB_RESOURCETYPE GetResourceType() const { return UILIB_ZIPRESOURCE; }
  virtual std::wstring GetResourceID() const { return L"SKINDATA"; }

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnFinalMessage(HWND window) override;
  virtual LRESULT OnCreate(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
  virtual LRESULT OnKillFocus(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
  LRESULT OnNcHitTest(LPARAM lParam);
  // False when the skin package could not be made ready; the window then stays empty.
  bool PrepareSkin();
};

// The resource path that the first window sets: the skin folder beside the executable.
// With the package in use it plays no part in lookups.
const std::wstring& GetResourcePath();

}  // namespace DuiLib
