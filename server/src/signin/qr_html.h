#pragma once
#include <string>

namespace catalogue {

// The QR code of `text` as an HTML table of black and white cells. A table renders in every
// engine the embedded browser may be, including the old document modes of the system control,
// where neither inline SVG nor data URLs can be relied on. Empty if the text does not fit.
std::string qr_table_html(const std::string& text, int cell_pixels);

}  // namespace catalogue
