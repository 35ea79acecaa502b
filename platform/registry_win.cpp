#include "platform/registry.h"

#include <vector>

namespace platform {

std::string ReadRegistryText(HKEY root, const char* subKey, const char* valueName, DWORD bufferBytes,
                             REGSAM access) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, subKey, 0, access, &key) != ERROR_SUCCESS) return {};
  // One byte more than asked for stays zero, so the text always ends inside the buffer even
  // when the stored value fills it without a terminating NUL.
  std::vector<char> buffer(bufferBytes + 1, '\0');
  DWORD size = bufferBytes;
  DWORD type = 0;
  LONG status = RegQueryValueExA(key, valueName, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &size);
  RegCloseKey(key);
  if (status != ERROR_SUCCESS) return {};
  return buffer.data();
}

LONG WriteRegistryText(HKEY root, const char* subKey, const char* valueName, const std::string& text,
                       REGSAM access) {
  HKEY key = nullptr;
  LONG status = RegOpenKeyExA(root, subKey, 0, access, &key);
  if (status != ERROR_SUCCESS) return status;
  status = RegSetValueExA(key, valueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>(text.size()));
  RegCloseKey(key);
  return status;
}

void CreateRegistryKey(HKEY root, const char* subKey, const char* newKey, REGSAM access) {
  HKEY parent = root;
  if (subKey && RegOpenKeyExA(root, subKey, 0, access, &parent) != ERROR_SUCCESS) return;
  HKEY created = nullptr;
  if (RegCreateKeyA(parent, newKey, &created) == ERROR_SUCCESS) RegCloseKey(created);
  if (parent != root) RegCloseKey(parent);
}

bool RegistryKeyExists(HKEY root, const char* subKey) {
  HKEY key = nullptr;
  if (RegOpenKeyA(root, subKey, &key) != ERROR_SUCCESS) return false;
  // Only the size is asked for, so a long default value does not read as a missing key.
  LONG size = 0;
  LONG status = RegQueryValueA(key, nullptr, nullptr, &size);
  RegCloseKey(key);
  return status == ERROR_SUCCESS;
}

void DeleteRegistryValue(HKEY root, const char* subKey, const char* valueName) {
  HKEY key = nullptr;
  if (RegOpenKeyA(root, subKey, &key) != ERROR_SUCCESS) return;
  RegDeleteValueA(key, valueName);
  RegCloseKey(key);
}

}  // namespace platform
