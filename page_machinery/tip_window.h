#pragma once
#include <string>

#include "ui/win/label.h"
#include "page_machinery/shell_window.h"

namespace app {

// The program's one prompt: OK, or OK and Cancel. The caller reads the answer from its own
// cell: 0 confirmed, 1 refused or closed. Callers follow one order: construct, create the
// window, centre it, SetMode, SetTitle, SetMessage, ShowModal; the mode comes first because
// the texts go only into the labels of the current mode.
class TipWindow : public ShellWindow {
 public:
  static constexpr int kModeOk = 0;
  static constexpr int kModeOkCancel = 1;

  explicit TipWindow(int* answer = nullptr) : answer_(answer) {}

  void SetMode(int mode);
  int Mode() const { return mode_; }
  // Narrow texts are in the system's ANSI code page.
  void SetTitle(const std::string& ansi);
  void SetMessage(const std::string& ansi);
  void SetTitle(const std::wstring& text);
  void SetMessage(const std::wstring& text);

  void Notify(DuiLib::TNotifyUI& msg) override;
  DuiLib::CControlUI* CreateControl(const wchar_t* pstrClass) override;

 protected:
  const wchar_t* GetWndClassName() const override { return L"Main_Tip"; }
  std::wstring GetLayoutFileName() const override { return L"TipWindow.xml"; }
  void InitWindow() override;

 private:
  DuiLib::CControlUI* Find(const wchar_t* name);
  DuiLib::CControlUI* Label(const wchar_t* okName, const wchar_t* okCancelName);
  void Answer(int value);

  int* answer_;
  int mode_ = kModeOk;
  DuiLib::CControlUI* layoutOk_ = nullptr;
  DuiLib::CControlUI* layoutOkCancel_ = nullptr;
};

// The whole calling order in one: a modal prompt owned by the active window. Returns the
// answer; a prompt closed without a button (Escape) counts as refused.
int ShowPrompt(int mode, const std::wstring& title, const std::wstring& message);

}  // namespace app
