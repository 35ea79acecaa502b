#pragma once
#include <functional>
#include <string>

#include "page_machinery/app_state.h"
#include "page_machinery/shell_window.h"

namespace app {

// Opens an address with the shell's "open" verb.
using LinkOpener = std::function<void(const std::string& url)>;
void OpenLinkWithShell(const std::string& url);

// The version and the agreement links. A link opens in the user's browser and the window
// stays open.
class AboutWindow : public ShellWindow {
 public:
  explicit AboutWindow(const AppState& state, LinkOpener open = OpenLinkWithShell)
      : state_(state), open_(std::move(open)) {}

  void Notify(DuiLib::TNotifyUI& msg) override;

 protected:
  const wchar_t* GetWndClassName() const override { return L"Main_AboutWindow"; }
  std::wstring GetLayoutFileName() const override { return L"AboutWindow.xml"; }
  void InitWindow() override;

 private:
  const AppState& state_;
  LinkOpener open_;
};

}  // namespace app
