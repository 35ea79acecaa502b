#include "app/catalogue_version_floor.h"

#include <windows.h>

namespace app {

namespace {

constexpr char kFloorKey[] = "SOFTWARE\\Tessavane\\CatalogueVersions";

}  // namespace

uint64_t ReadCatalogueVersionFloor(const std::string& baseUrl) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kFloorKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return 0;
  uint64_t version = 0;
  DWORD type = 0, size = sizeof version;
  const LONG status = RegQueryValueExA(key, baseUrl.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&version), &size);
  RegCloseKey(key);
  return status == ERROR_SUCCESS && type == REG_QWORD && size == sizeof version ? version : 0;
}

bool WriteCatalogueVersionFloor(const std::string& baseUrl, uint64_t version) {
  HKEY key = nullptr;
  if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kFloorKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, &key,
                      nullptr) != ERROR_SUCCESS)
    return false;
  const LONG status =
      RegSetValueExA(key, baseUrl.c_str(), 0, REG_QWORD, reinterpret_cast<const BYTE*>(&version), sizeof version);
  RegCloseKey(key);
  return status == ERROR_SUCCESS;
}

}  // namespace app
