#pragma once
#include <string>

#include "catalogue_rules/catalogue_records.h"
#include "ui/win/control.h"

namespace downloads {

// One row of a download list for `entry`, in its Offered state: icon (when iconPath names a
// file; empty for none), name, description, and the named progress label and buttons of the
// page's `stem`, all floating at their places in the row. The caller owns the row until it
// adds it to the list.
DuiLib::CControlUI* BuildRow(const net::CatalogueFile& entry, const std::wstring& stem,
                             const std::string& iconPath);
// Draws the icon at iconPath in the row's icon place.
void SetRowIcon(DuiLib::CControlUI* row, const std::string& iconPath);

}  // namespace downloads
