#pragma once
#include "repair/runtime_repair.h"

namespace repair {

// urlmon for the download, the shell for the hidden install, the registry for the check.
RuntimeRepairOps SystemRuntimeRepairOps();

}  // namespace repair
