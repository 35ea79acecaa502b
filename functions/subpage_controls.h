#pragma once
#include "ui/win/label.h"
#include "ui/win/layouts.h"

// The pieces that the tool sub-pages (game, network) build their rows and buttons from.
namespace functions {

// A row of the given height that begins with an empty indent of the given width.
DuiLib::CHorizontalLayoutUI* IndentedRow(int height, int indent);
// A label of fixed width, in the default font unless `font` names another.
DuiLib::CLabelUI* FixedLabel(int width, const wchar_t* text, int font = -1);
// The row's status label in font 5, which takes the rest of the row.
DuiLib::CLabelUI* StatusLabel();
void SetButton(DuiLib::CControlUI* button, bool shown, bool enabled);

}  // namespace functions
