#include <windows.h>

#include "platform/platform_utils.h"
#include "platform/registry.h"
#include "repair/registry_path.h"

namespace repair {

bool RegistryPathExists(const std::string& path) {
  RegistryPath parsed;
  if (!ParseRegistryPath(path, parsed)) return false;
  HKEY root = parsed.localMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
  // This 32-bit process sees the 32-bit view first; the 64-bit view needs asking for.
  if (platform::RegistryKeyExists(root, parsed.subKey.c_str())) return true;
  if (!platform::IsSystem64Bit()) return false;
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, parsed.subKey.c_str(), 0, KEY_READ | KEY_WOW64_64KEY, &key) != ERROR_SUCCESS)
    return false;
  RegCloseKey(key);
  return true;
}

}  // namespace repair
