#include "ui/win/child_window.h"

#include "ui/win/dialog_builder.h"

namespace DuiLib {

ChildWindow::~ChildWindow() {
  if (registered_ && frameManager_) frameManager_->RemoveNotifier(this);
}

bool ChildWindow::LoadLayout(const std::wstring& layoutFile) {
  if (frameManager_ == nullptr) return false;
  CDialogBuilder builder;
  // Page layout files hold built-in elements only: no CreateControl callback.
  CControlUI* root = builder.Create(layoutFile, nullptr, nullptr, frameManager_, nullptr);
  if (root == nullptr) return false;
  Add(root);
  registered_ = frameManager_->AddNotifier(this);
  InitControls();
  return true;
}

void ChildWindow::OnCommand(const std::string&) {}

void ChildWindow::Notify(TNotifyUI&) {}

CControlUI* ChildWindow::FindControl(const std::wstring& name) const {
  return frameManager_ ? frameManager_->FindControl(name) : nullptr;
}

}  // namespace DuiLib
