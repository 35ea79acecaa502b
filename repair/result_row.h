#pragma once
#include <string>

#include "ui/win/control.h"

namespace repair {

// The colours of a row's state label.
constexpr uint32_t kCompleteColor = 0xFF000000;
constexpr uint32_t kMissingColor = 0xFFFF0000;
constexpr uint32_t kRepairColor = 0xFF1E90FF;

// A row of the list while the scan runs: a picture for complete or missing, the name and the
// state, nothing named.
DuiLib::CControlUI* MakeScanningRow(const std::wstring& name, bool complete);

// A row of the finished list. A missing entry gets a ticked check box "<id>_<prefix>check"
// instead of the picture; the state label is "<id>_<prefix>state", so the repair finds both.
DuiLib::CControlUI* MakeFinalRow(int id, const std::wstring& prefix, const std::wstring& name,
                                 bool complete);

// A row of the system DLL page's list: the file's full path, nothing named.
DuiLib::CControlUI* MakeFileRow(const std::wstring& path);

std::wstring CheckBoxName(int id, const std::wstring& prefix);
std::wstring StateLabelName(int id, const std::wstring& prefix);

}  // namespace repair
