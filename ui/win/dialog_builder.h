#pragma once

#include <string>

#include "ui/layout_builder.h"
#include "ui/win/control.h"
#include "ui/win/ui_events.h"

namespace DuiLib {

class CPaintManagerUI;

// Builds a layout file of the process skin into controls of one window.
class CDialogBuilder {
 public:
  // The root of the built tree, owned by the caller (usually handed to AttachDialog or
  // added to a page), or null when the file is missing, refused or does not parse.
  CControlUI* Create(const std::wstring& layoutFile, const wchar_t* type,
                     IDialogBuilderCallback* callback, CPaintManagerUI* manager,
                     CControlUI* parent = nullptr);
  CControlUI* Create(const std::wstring& layoutFile, const LayoutSource& source,
                     IDialogBuilderCallback* callback, CPaintManagerUI* manager,
                     CControlUI* parent = nullptr);
  // What the last Create found, for tests and diagnostics.
  const LayoutBuildResult& LastResult() const { return result_; }

 private:
  LayoutBuildResult result_;
};

// The control the layout language makes for a built-in kind.
CControlUI* CreateBuiltinControlUI(BuiltinControl kind);

}  // namespace DuiLib
