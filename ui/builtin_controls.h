#pragma once

#include <optional>
#include <string_view>

namespace DuiLib {

// The control kinds the layout builder makes itself. Any other element name goes to the
// window's CreateControl callback.
enum class BuiltinControl {
  kControl,           // CControlUI
  kContainer,         // CContainerUI
  kHorizontalLayout,  // CHorizontalLayoutUI
  kVerticalLayout,    // CVerticalLayoutUI
  kLabel,             // CLabelUI
  kText,              // CTextUI
  kButton,            // CButtonUI
  kOption,            // COptionUI
  kRichEdit,          // multi-line text box
  kProgress,          // CProgressUI
  kSlider,            // a CProgressUI kind
  kGifAnim,           // animated picture
};

// Element names are compared without regard to letter case: "horizontallayout" is a
// HorizontalLayout.
std::optional<BuiltinControl> FindBuiltinControl(std::string_view elementName);

// The element name as the layout files spell it.
const char* BuiltinControlName(BuiltinControl kind);

}  // namespace DuiLib
