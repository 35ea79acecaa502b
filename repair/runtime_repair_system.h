#pragma once
#include <string>

#include "platform/files_and_folders.h"
#include "repair/runtime_repair.h"

namespace repair {

// libcurl for the download (net::FetchFile), the shell for the hidden install, the registry for
// the check.
// Cache folders are made below cacheBase as folders only administrators can write.
RuntimeRepairOps SystemRuntimeRepairOps(const std::string& cacheBase = platform::RepairCacheBase());

}  // namespace repair
