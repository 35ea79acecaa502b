#pragma once
#include "platform/file_hold.h"

namespace platform {

// Opens the file for reading with only reading shared: writers, renames and deletes fail
// until the hold goes, while the installer's start or the copy can still read it.
FileHold HoldFileAgainstWriters(const std::string& path);

}  // namespace platform
