#pragma once
#include <string>

// Folders that hold what this elevated program runs or copies into the system folders. A file
// in a folder that the signed-in user can write could be swapped between its check and its
// use, and a DLL planted beside an installer would be loaded by it with administrator rights.
namespace platform {

// Makes folder, which must lie below base (an existing folder that only administrators
// control, such as ProgramData), and gives it and every folder between the two an access
// list of their own that no parent can widen: SYSTEM and Administrators have full control,
// Users may read and run; the owner is Administrators. Folders that exist already are taken
// over the same way, since whoever made them first could otherwise swap what lies inside.
// Refused (false) when a folder on the way is a link or junction to elsewhere, or cannot be
// made or set so.
bool EnsureAdminOnlyFolder(const std::string& base, const std::string& folder);

// The access list above in the security descriptor language, for tests to compare with.
extern const char kAdminOnlyFolderSddl[];

}  // namespace platform
