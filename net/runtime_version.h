#pragma once
#include <string>

#include "catalogue_rules/catalogue_records.h"

namespace net {

// A catalogue's minimum version: three decimal numbers joined by dots ("14.40.33810"), each
// fitting a DWORD, nothing else (no signs, spaces or a fourth part). False for anything else.
bool ParseRuntimeVersion(const std::string& text, RuntimeVersion& out);

// Whether `have` is `want` or newer: compared number by number, major first.
bool VersionReaches(const RuntimeVersion& have, const RuntimeVersion& want);

}  // namespace net
