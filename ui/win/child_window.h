#pragma once

#include <string>

#include "ui/win/layouts.h"
#include "ui/win/paint_manager.h"
#include "ui/win/ui_events.h"

namespace DuiLib {

// A page of the main frame: a horizontal layout that builds its own layout file into the
// frame's paint manager and hears every notification of the frame.
class ChildWindow : public CHorizontalLayoutUI, public INotifyUI {
 public:
  explicit ChildWindow(CPaintManagerUI* frameManager) : frameManager_(frameManager) {}
  ~ChildWindow() override;

  // Builds `layoutFile` as the page's only child, registers the page as a receiver and
  // calls InitControls. False, leaving the page empty and unregistered, when the file
  // yields no root control.
  bool LoadLayout(const std::wstring& layoutFile);
  // Commands of the frame ("init", "scan", ...); the base does nothing.
  virtual void OnCommand(const std::string& word);
  void Notify(TNotifyUI& msg) override;

 protected:
  // Looks the page's controls up by name and sets their first state.
  virtual void InitControls() {}
  CControlUI* FindControl(const std::wstring& name) const;

  CPaintManagerUI* frameManager_;
  bool registered_ = false;
};

}  // namespace DuiLib
