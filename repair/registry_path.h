#pragma once
#include <string>

#include "catalogue_rules/catalogue_records.h"

namespace repair {

// A catalogue's registry path: a root name, a backslash, and the sub-key. Only the exact name
// "HKEY_LOCAL_MACHINE" means that root; every other root name means the current user's hive.
struct RegistryPath {
  bool localMachine = false;
  std::string subKey;
};

// False for an empty path, one without a backslash, or one that begins with it.
bool ParseRegistryPath(const std::string& path, RegistryPath& out);

// Whether the key exists in the 32-bit view or, on 64-bit Windows, in the 64-bit one: a
// package registered in either counts as installed.
bool RegistryPathExists(const std::string& path);

// Whether a runtime package counts as installed. Without a minimum version: its key exists
// (RegistryPathExists). With one: in one of the same views, the key holds DWORD "Installed" 1
// and DWORDs "Major", "Minor" and "Bld" that reach the version; a key left by an older package
// of the same family does not count.
bool RuntimeKeyInstalled(const net::CatalogueFile& entry);

}  // namespace repair
