#include <windows.h>

#include "net/runtime_version.h"
#include "platform/system_bitness.h"
#include "repair/registry_path.h"

namespace repair {

namespace {

bool ReadDword(HKEY key, const char* name, uint32_t& out) {
  DWORD type = 0, value = 0, size = sizeof value;
  if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS ||
      type != REG_DWORD || size != sizeof value)
    return false;
  out = value;
  return true;
}

// The version values of an open runtime key: installed, and at least `want`.
bool RecordsVersion(HKEY key, const net::RuntimeVersion& want) {
  uint32_t installed = 0;
  net::RuntimeVersion have;
  return ReadDword(key, "Installed", installed) && installed == 1 && ReadDword(key, "Major", have.major) &&
         ReadDword(key, "Minor", have.minor) && ReadDword(key, "Bld", have.build) &&
         net::VersionReaches(have, want);
}

// Whether the key exists in the 32-bit or the 64-bit view and, with a version, records it
// there.
bool KeyInEitherView(const std::string& path, const net::RuntimeVersion* want) {
  RegistryPath parsed;
  if (!ParseRegistryPath(path, parsed)) return false;
  HKEY root = parsed.localMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
  // Installed in either registry view counts: x86 packages register in the 32-bit one, x64
  // packages in the 64-bit one. Both views are named, so the answer is the same whatever
  // this process's own bitness; 32-bit Windows ignores the flags and has only the one view.
  // Without a version the key's presence is the answer, never its default value: the
  // runtimes' keys hold named values alone, and a query of a default value never set fails.
  const bool both_views = platform::IsSystem64Bit();
  for (REGSAM view : {KEY_WOW64_32KEY, KEY_WOW64_64KEY}) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, parsed.subKey.c_str(), 0, KEY_READ | view, &key) == ERROR_SUCCESS) {
      const bool found = !want || RecordsVersion(key, *want);
      RegCloseKey(key);
      if (found) return true;
    }
    if (!both_views) break;
  }
  return false;
}

}  // namespace

bool RegistryPathExists(const std::string& path) { return KeyInEitherView(path, nullptr); }

bool RuntimeKeyInstalled(const net::CatalogueFile& entry) {
  return KeyInEitherView(entry.regeditName, entry.hasMinVersion ? &entry.minVersion : nullptr);
}

}  // namespace repair
