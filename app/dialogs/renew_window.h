#pragma once
#include "page_machinery/shell_window.h"

namespace app {

// The update check. It asks no server: the running version is the current one, and the
// layout says so.
class RenewWindow : public ShellWindow {
 public:
  void Notify(DuiLib::TNotifyUI& msg) override;

 protected:
  const wchar_t* GetWndClassName() const override { return L"Main_RenewW"; }
  std::wstring GetLayoutFileName() const override { return L"RenewWindow.xml"; }
  void InitWindow() override;

 private:
};

}  // namespace app
