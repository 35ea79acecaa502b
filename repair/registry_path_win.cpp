#include <windows.h>

#include "platform/platform_utils.h"
#include "repair/registry_path.h"

namespace repair {

bool RegistryPathExists(const std::string& path) {
  RegistryPath parsed;
  if (!ParseRegistryPath(path, parsed)) return false;
  HKEY root = parsed.localMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
  // Installed in either registry view counts: x86 packages register in the 32-bit one, x64
  // packages in the 64-bit one. Both views are named, so the answer is the same whatever
  // this process's own bitness; 32-bit Windows ignores the flags and has only the one view.
  // Only the key's presence counts, never its default value: the runtimes' keys hold named
  // values alone, and querying a default value that was never set fails.
  const bool both_views = platform::IsSystem64Bit();
  for (REGSAM view : {KEY_WOW64_32KEY, KEY_WOW64_64KEY}) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, parsed.subKey.c_str(), 0, KEY_READ | view, &key) == ERROR_SUCCESS) {
      RegCloseKey(key);
      return true;
    }
    if (!both_views) break;
  }
  return false;
}

}  // namespace repair
