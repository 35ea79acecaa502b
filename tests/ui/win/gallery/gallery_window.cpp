#include "gallery_window.h"

#include "ui/ex/control_factory.h"

void GalleryWindow::InitWindow() {
  shadow_.Create(GetHWND());
  shadow_.SetPosition(0, 0);
  shadow_.SetSize(shadowSize_);
}

void GalleryWindow::Notify(DuiLib::TNotifyUI& msg) {
  if (onNotify) onNotify(msg);
}

DuiLib::CControlUI* GalleryWindow::CreateControl(const wchar_t* name) {
  // The prompt's own names; no other window of the gallery knows extended elements.
  return layout_ == L"PromptProbeWindow.xml" ? DuiLibEx::CreatePromptControl(name) : nullptr;
}

HWND GalleryWindow::CreateFramed(HWND owner) {
  return Create(owner, L"Tessavane", 0x10CE0000, 0x100, 0, 0, 0, 0);
}

void GalleryWindow::OnFinalMessage(HWND window) {
  WindowImplBase::OnFinalMessage(window);
  if (quitOnFinal) ::PostQuitMessage(0);
  if (deleteOnFinal) delete this;
}
