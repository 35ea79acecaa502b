#include "ui/win/dialog_builder.h"

#include "ui/win/button.h"
#include "ui/win/gif_anim.h"
#include "ui/win/layouts.h"
#include "ui/win/paint_manager.h"
#include "ui/win/progress.h"
#include "ui/win/skin_resource.h"
#include "ui/win/ui_lock.h"
#include "ui/win/wide_text.h"

namespace DuiLib {

namespace {

CControlUI* ToControl(ControlHandle handle) { return static_cast<CControlUI*>(handle); }

// The window side of the builder: makes our controls and hands the directives to the
// paint manager.
class ManagerLayoutTarget : public LayoutTarget {
 public:
  explicit ManagerLayoutTarget(CPaintManagerUI& manager) : manager_(manager) {}

  void RegisterFont(const FontDefinition& font) override { manager_.Fonts().Add(font); }
  DefaultAttributeTable& WindowDefaults() override { return manager_.WindowDefaults(); }
  DefaultAttributeTable& SharedDefaults() override { return CPaintManagerUI::SharedDefaults(); }

  void ApplyWindowSettings(const WindowSettings& settings) override {
    if (settings.size) manager_.SetInitSize(settings.size->width, settings.size->height);
    if (settings.caption) {
      const RectValue& c = *settings.caption;
      manager_.SetCaptionRect(RECT{c.left, c.top, c.right, c.bottom});
    }
  }

  ControlHandle CreateBuiltinControl(BuiltinControl kind) override {
    return CreateBuiltinControlUI(kind);
  }

  void AttachControl(ControlHandle control, ControlHandle parent) override {
    CControlUI* child = ToControl(control);
    if (parent == nullptr) {
      child->SetManager(&manager_, nullptr);
      return;
    }
    CContainerUI* container =
        static_cast<CContainerUI*>(ToControl(parent)->GetInterface(L"Container"));
    // A child written inside a control that holds none has nowhere to go.
    if (container == nullptr || !container->Add(child)) delete child;
  }

  void SetControlAttribute(ControlHandle control, std::string_view name,
                           std::string_view value) override {
    ToControl(control)->ApplyAttribute(name, value);
  }

 private:
  CPaintManagerUI& manager_;
};

class CallbackAdapter : public LayoutControlCallback {
 public:
  explicit CallbackAdapter(IDialogBuilderCallback* callback) : callback_(callback) {}
  ControlHandle CreateControl(std::string_view elementName) override {
    if (callback_ == nullptr) return nullptr;
    const std::wstring name = Utf8ToWide(elementName);
    return static_cast<ControlHandle>(callback_->CreateControl(name.c_str()));
  }

 private:
  IDialogBuilderCallback* callback_;
};

}  // namespace

CControlUI* CreateBuiltinControlUI(BuiltinControl kind) {
  switch (kind) {
    case BuiltinControl::kControl: return new CControlUI;
    case BuiltinControl::kContainer: return new CContainerUI;
    case BuiltinControl::kHorizontalLayout: return new CHorizontalLayoutUI;
    case BuiltinControl::kVerticalLayout: return new CVerticalLayoutUI;
    case BuiltinControl::kLabel: return new CLabelUI;
    case BuiltinControl::kText: return new CTextUI;
    case BuiltinControl::kButton: return new CButtonUI;
    case BuiltinControl::kOption: return new COptionUI;
    case BuiltinControl::kRichEdit: return new CRichEditUI;
    case BuiltinControl::kProgress: return new CProgressUI;
    case BuiltinControl::kSlider: return new CSliderUI;
    case BuiltinControl::kGifAnim: return new CGifAnimUI;
  }
  return nullptr;
}

CControlUI* CDialogBuilder::Create(const std::wstring& layoutFile, const wchar_t* /*type*/,
                                   IDialogBuilderCallback* callback, CPaintManagerUI* manager,
                                   CControlUI* parent) {
  return Create(layoutFile, ProcessSkin(), callback, manager, parent);
}

CControlUI* CDialogBuilder::Create(const std::wstring& layoutFile, const LayoutSource& source,
                                   IDialogBuilderCallback* callback, CPaintManagerUI* manager,
                                   CControlUI* parent) {
  result_ = LayoutBuildResult();
  if (manager == nullptr) return nullptr;
  // Layout is built on the UI thread while workers may already touch other controls.
  UiGuard guard;
  ManagerLayoutTarget target(*manager);
  CallbackAdapter adapter(callback);
  LayoutBuilder builder(source, target, &adapter);
  result_ = builder.Build(WideToUtf8(layoutFile), static_cast<ControlHandle>(parent));
  return ToControl(result_.root);
}

}  // namespace DuiLib
