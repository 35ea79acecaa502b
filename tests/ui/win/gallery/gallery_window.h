#pragma once

#include <functional>
#include <string>

#include "ui/ex/wnd_shadow.h"
#include "ui/win/window_impl_base.h"

// A window of the gallery: a layout of the test skin, a shadow, and a hook for what it hears.
class GalleryWindow : public DuiLib::WindowImplBase {
 public:
  GalleryWindow(std::wstring layout, std::wstring className, int shadowSize)
      : layout_(std::move(layout)), className_(std::move(className)), shadowSize_(shadowSize) {}

  void InitWindow() override;
  void Notify(DuiLib::TNotifyUI& msg) override;
  DuiLib::CControlUI* CreateControl(const wchar_t* name) override;
  DuiLib::CControlUI* Find(const wchar_t* name) { return m_PaintManager.FindControl(name); }
  HWND CreateFramed(HWND owner);

  std::function<void(DuiLib::TNotifyUI&)> onNotify;
  bool deleteOnFinal = false;
  bool quitOnFinal = false;

 protected:
  const wchar_t* GetWndClassName() const override { return className_.c_str(); }
  std::wstring GetLayoutFileName() const override { return layout_; }
  void OnFinalMessage(HWND window) override;

 private:
  std::wstring layout_;
  std::wstring className_;
  int shadowSize_;
  DuiLib::CWndShadow shadow_;
};
