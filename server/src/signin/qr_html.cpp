#include "signin/qr_html.h"

#include <qrencode.h>

#include <memory>

namespace catalogue {

std::string qr_table_html(const std::string& text, int cell) {
  std::unique_ptr<QRcode, decltype(&QRcode_free)> qr(QRcode_encodeString(text.c_str(), 0, QR_ECLEVEL_M, QR_MODE_8, 1),
                                                     &QRcode_free);
  if (!qr) return std::string();
  const int quiet = 2;  // light border the scanners need around the symbol
  const int n = qr->width + 2 * quiet;
  std::string px = std::to_string(cell) + "px";
  std::string html = "<table class=\"qr\" cellspacing=\"0\" cellpadding=\"0\" style=\"border-collapse:collapse\">";
  for (int y = 0; y < n; ++y) {
    html += "<tr>";
    for (int x = 0; x < n; ++x) {
      int mx = x - quiet, my = y - quiet;
      bool dark = mx >= 0 && my >= 0 && mx < qr->width && my < qr->width && (qr->data[my * qr->width + mx] & 1);
      html += dark ? "<td class=\"d\"></td>" : "<td></td>";
    }
    html += "</tr>";
  }
  html += "</table>";
  return "<style>.qr td{width:" + px + ";height:" + px + ";padding:0;background:#fff}.qr td.d{background:#000}</style>" +
         html;
}

}  // namespace catalogue
