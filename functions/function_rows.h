#pragma once
#include <functional>

#include "ui/win/container.h"

namespace functions {

// The eight tiles of the normal sub-page, each added left to right to its row as `row` finds
// it by name; a row that is not found gets no tiles.
void AddTiles(const std::function<DuiLib::CContainerUI*(const wchar_t* name)>& row);

// The API-set list: emptied, then one row per name, the button of row i "functionapiitem_i".
void FillApiList(DuiLib::CContainerUI* list);

}  // namespace functions
