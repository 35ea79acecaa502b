#pragma once

#include <windows.h>

#include "ui/image_attribute.h"
#include "ui/win/canvas.h"

namespace DuiLib {

// Draws an image attribute into a control's rectangle: `source` cuts the picture (default
// all of it), `dest` places it relative to the control's top-left corner (default the whole
// control), `corner` splits both into nine parts whose borders keep their size.
void DrawImageAttribute(Canvas& canvas, const DecodedImage& image, size_t frame,
                        const ImageAttribute& attribute, const RECT& control);

}  // namespace DuiLib
