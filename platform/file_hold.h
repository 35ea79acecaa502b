#pragma once
#include <functional>
#include <memory>
#include <string>

namespace platform {

// A file held open so that nobody can write, rename or delete it while it is held: a file is
// checked against its digest and then run or copied, and must be the same file for both.
using FileHold = std::shared_ptr<void>;
// Returns an empty hold when the file cannot be held (it is missing, or being written).
using FileHolder = std::function<FileHold(const std::string& path)>;

// The holder's hold on path; without a holder (an engine test's stand-in system) a hold that
// stands for itself.
inline FileHold HoldFile(const FileHolder& holder, const std::string& path) {
  return holder ? holder(path) : std::make_shared<int>(0);
}

}  // namespace platform
