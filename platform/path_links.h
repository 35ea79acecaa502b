#pragma once
#include <string>

// Links and junctions on the way to where the elevated program writes or deletes. A user can
// make a folder in a place the program will write later (a download folder on D:, say) into a
// junction to a system folder; the program would then write or delete there with its rights.
namespace platform {

// The path itself is a link or junction to elsewhere. Not every system marks a link as a
// reparse point (Wine does not), so where it really leads is asked as well.
bool IsLinkOrJunction(const std::string& path);

// Some existing folder or file on the way from the drive root to the path ("X:\..." only) is a
// link or junction; parts that do not exist yet are not. A path of another form is refused
// (true): the program writes only below drive letters it chose itself.
bool PathLeadsElsewhere(const std::string& path);

}  // namespace platform
