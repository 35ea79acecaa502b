#include "repair/registry_path.h"

namespace repair {

bool ParseRegistryPath(const std::string& path, RegistryPath& out) {
  size_t slash = path.find('\\');
  if (slash == std::string::npos || slash == 0) return false;
  out.localMachine = path.compare(0, slash, "HKEY_LOCAL_MACHINE") == 0;
  out.subKey = path.substr(slash + 1);
  return true;
}

}  // namespace repair
