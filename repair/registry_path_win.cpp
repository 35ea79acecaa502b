#include <windows.h>

#include "platform/platform_utils.h"
#include "platform/registry.h"
#include "repair/registry_path.h"

namespace repair {

bool RegistryPathExists(const std::string& path) {
  RegistryPath parsed;
  if (!ParseRegistryPath(path, parsed)) return false;
  HKEY root = parsed.localMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
  // The process sees its own view first; the other one needs asking for (the 64-bit view
  // from the shipped 32-bit program, the 32-bit view from a 64-bit build).
  if (platform::RegistryKeyExists(root, parsed.subKey.c_str())) return true;
  if (!platform::IsSystem64Bit()) return false;
  const REGSAM otherView = sizeof(void*) == 4 ? KEY_WOW64_64KEY : KEY_WOW64_32KEY;
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, parsed.subKey.c_str(), 0, KEY_READ | otherView, &key) != ERROR_SUCCESS)
    return false;
  RegCloseKey(key);
  return true;
}

}  // namespace repair
