#include "page_machinery/tip_window.h"

#include "page_machinery/dialog_window.h"
#include "platform/text_conversion.h"
#include "ui/ex/control_factory.h"

namespace app {

void TipWindow::InitWindow() {
  CreateShadow(3);
  layoutOk_ = Find(L"tip_layout_ok");
  layoutOkCancel_ = Find(L"tip_layout_okcancel");
  if (layoutOk_) layoutOk_->SetVisible(false);
  if (layoutOkCancel_) layoutOkCancel_->SetVisible(false);
}

DuiLib::CControlUI* TipWindow::Find(const wchar_t* name) { return m_PaintManager.FindControl(name); }

DuiLib::CControlUI* TipWindow::CreateControl(const wchar_t* pstrClass) {
  return DuiLibEx::CreatePromptControl(pstrClass ? pstrClass : L"");
}

void TipWindow::SetMode(int mode) {
  mode_ = mode;
  if (layoutOk_ == nullptr || layoutOkCancel_ == nullptr) return;
  layoutOk_->SetVisible(false);
  layoutOkCancel_->SetVisible(false);
  if (mode == kModeOk) layoutOk_->SetVisible(true);
  if (mode == kModeOkCancel) layoutOkCancel_->SetVisible(true);
}

DuiLib::CControlUI* TipWindow::Label(const wchar_t* okName, const wchar_t* okCancelName) {
  if (mode_ == kModeOk) return Find(okName);
  if (mode_ == kModeOkCancel) return Find(okCancelName);
  return nullptr;
}

void TipWindow::SetTitle(const std::wstring& text) {
  if (DuiLib::CControlUI* label = Label(L"tip_ok_title", L"tip_okcancel_title")) label->SetText(text);
}

void TipWindow::SetMessage(const std::wstring& text) {
  if (DuiLib::CControlUI* label = Label(L"tip_ok_message", L"tip_okcancel_message"))
    label->SetText(text);
}

void TipWindow::SetTitle(const std::string& ansi) { SetTitle(platform::AnsiToWide(ansi.c_str())); }

void TipWindow::SetMessage(const std::string& ansi) {
  SetMessage(platform::AnsiToWide(ansi.c_str()));
}

void TipWindow::Answer(int value) {
  if (answer_) *answer_ = value;
  Close(static_cast<UINT>(value));
}

void TipWindow::Notify(DuiLib::TNotifyUI& msg) {
  const std::wstring name = ClickedName(msg);
  if (name == L"tip_ok_ok" || name == L"tip_okcancel_ok") return Answer(0);
  // The title-bar close refuses, even in OK mode.
  if (name == L"tip_okcancel_cancel" || name == L"tip_close") return Answer(1);
}

int ShowPrompt(int mode, const std::wstring& title, const std::wstring& message) {
  int answer = 1;
  TipWindow tip(&answer);
  if (CreateDialogWindow(tip) == nullptr) return answer;
  tip.CenterWindow();
  tip.SetMode(mode);
  tip.SetTitle(title);
  tip.SetMessage(message);
  tip.ShowModal();
  return answer;
}

}  // namespace app
