#pragma once
#include <string>

#include "net/transfer_bounds.h"

namespace net {

// The bounds of the files the repairs fetch: an installer of a few hundred MB on a slow line
// takes long, but not for ever; one that stops coming is given up after a minute.
constexpr TransferBounds kRepairFileBounds{15, 60, 30 * 60};

// Fetches url into path (created or emptied first) in one blocking transfer, for the files
// the repairs run or copy: http and https only, redirects followed but never from https to
// http, the server's certificate checked as every transfer's is, an HTTP error status a
// failure, a transfer past its bounds or told to stop given up. On failure nothing is left
// at path.
bool FetchFile(const std::string& url, const std::string& path,
               const TransferBounds& bounds = kRepairFileBounds, const StopQuestion& stop = {});

}  // namespace net
