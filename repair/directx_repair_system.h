#pragma once
#include <string>

#include "platform/files_and_folders.h"
#include "repair/directx_repair.h"

namespace repair {

// libcurl for the download (net::FetchFile), the file system (with redirection where asked)
// for the rest.
// Cache folders are made below cacheBase as folders only administrators can write.
DirectXRepairOps SystemDirectXRepairOps(const std::string& cacheBase = platform::RepairCacheBase());

}  // namespace repair
