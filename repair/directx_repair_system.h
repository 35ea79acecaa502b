#pragma once
#include "repair/directx_repair.h"

namespace repair {

// urlmon for the download, the file system (with redirection where asked) for the rest.
DirectXRepairOps SystemDirectXRepairOps();

}  // namespace repair
