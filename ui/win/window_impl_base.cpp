#include "ui/win/window_impl_base.h"

#include <windowsx.h>

#include "ui/win/dialog_builder.h"
#include "ui/win/skin_resource.h"
#include "ui/win/ui_lock.h"

namespace DuiLib {

namespace {

std::wstring& ResourcePath() {
  static std::wstring path;
  return path;
}

bool ExemptFromDrag(CControlUI* control) {
  return control != nullptr &&
         (control->GetInterface(L"Button") || control->GetInterface(L"Option") ||
          control->GetInterface(L"Text"));
}

}  // namespace

const std::wstring& GetResourcePath() { return ResourcePath(); }

void WindowImplBase::Notify(TNotifyUI&) {}

CControlUI* WindowImplBase::CreateControl(const wchar_t*) { return nullptr; }

LRESULT WindowImplBase::MessageHandler(UINT, WPARAM, LPARAM, bool& handled) {
  handled = false;
  return 0;
}

bool WindowImplBase::PrepareSkin() {
  if (ResourcePath().empty()) {
    wchar_t module[MAX_PATH] = L"";
    ::GetModuleFileNameW(nullptr, module, MAX_PATH);
    std::wstring folder(module);
    folder = folder.substr(0, folder.find_last_of(L"\\/") + 1);
    ResourcePath() = folder + GetSkinDirectory();
  }
  if (GetResourceType() != UILIB_ZIPRESOURCE) return false;
  return LoadSkinFromResource(CPaintManagerUI::GetInstance(), GetResourceID().c_str());
}

LRESULT WindowImplBase::OnCreate(UINT, WPARAM, LPARAM, bool& handled) {
  handled = true;
  // No system frame: the layout draws the whole window; clip flags keep child windows
  // (the browser control) from being painted over.
  LONG_PTR style = ::GetWindowLongPtrW(window_, GWL_STYLE);
  style &= ~static_cast<LONG_PTR>(WS_CAPTION);
  style |= WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
  ::SetWindowLongPtrW(window_, GWL_STYLE, style);
  ::SetWindowPos(window_, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  m_PaintManager.Init(window_);
  m_PaintManager.AddMessageFilter(this);
  if (!PrepareSkin()) return 0;
  CDialogBuilder builder;
  CControlUI* root =
      builder.Create(GetLayoutFileName(), nullptr, this, &m_PaintManager, nullptr);
  if (root == nullptr) return 0;
  m_PaintManager.AttachDialog(root);
  m_PaintManager.AddNotifier(this);
  InitWindow();
  return 0;
}

LRESULT WindowImplBase::OnKillFocus(UINT, WPARAM, LPARAM, bool& handled) {
  handled = false;
  return 0;
}

LRESULT WindowImplBase::OnNcHitTest(LPARAM lParam) {
  POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  ::ScreenToClient(window_, &point);
  RECT client;
  ::GetClientRect(window_, &client);
  // The caption rectangle: left and right are insets from the sides (0 reaches the edge),
  // top and bottom are distances from the top.
  const RECT caption = m_PaintManager.GetCaptionRect();
  if (point.x >= client.left + caption.left && point.x < client.right - caption.right &&
      point.y >= caption.top && point.y < caption.bottom &&
      !ExemptFromDrag(m_PaintManager.FindControl(point))) {
    return HTCAPTION;
  }
  return HTCLIENT;
}

LRESULT WindowImplBase::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  bool handled = false;
  LRESULT result = 0;
  switch (message) {
    case WM_CREATE:
      result = OnCreate(message, wParam, lParam, handled);
      break;
    case WM_NCCALCSIZE:
      // Returning 0 without changing the rectangle makes the whole window client area;
      // the sizing frame that the style keeps is then neither drawn nor hit.
      if (wParam) return 0;
      break;
    case WM_NCACTIVATE:
      // Without a frame there is nothing to redraw; TRUE lets activation go ahead.
      if (!::IsIconic(window_)) return wParam == 0 ? TRUE : FALSE;
      break;
    case WM_NCPAINT:
      return 0;
    case WM_NCHITTEST:
      return OnNcHitTest(lParam);
    case WM_KILLFOCUS:
      result = OnKillFocus(message, wParam, lParam, handled);
      break;
    default:
      break;
  }
  if (handled) return result;
  if (m_PaintManager.MessageHandler(message, wParam, lParam, result)) return result;
  return CWindowWnd::HandleMessage(message, wParam, lParam);
}

void WindowImplBase::OnFinalMessage(HWND) {
  m_PaintManager.RemoveMessageFilter(this);
  m_PaintManager.RemoveNotifier(this);
}

}  // namespace DuiLib
