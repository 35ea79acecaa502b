#include "browser/mshtml/browser_emulation_win.h"

#include <windows.h>

namespace browser {

namespace {
constexpr wchar_t kEmulationKey[] =
    L"Software\\Microsoft\\Internet Explorer\\Main\\FeatureControl\\FEATURE_BROWSER_EMULATION";
}

bool SelectCurrentDocumentMode(const std::wstring& exeFileName) {
  if (exeFileName.empty()) return false;
  HKEY key = nullptr;
  if (::RegCreateKeyExW(HKEY_CURRENT_USER, kEmulationKey, 0, nullptr, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr,
                        &key, nullptr) != ERROR_SUCCESS)
    return false;
  DWORD mode = kBrowserEmulationMode;
  const bool written = ::RegSetValueExW(key, exeFileName.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&mode),
                                        sizeof(mode)) == ERROR_SUCCESS;
  ::RegCloseKey(key);
  return written;
}

std::wstring ExecutableFileName() {
  wchar_t path[MAX_PATH] = L"";
  const DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return std::wstring();
  const std::wstring full(path, length);
  return full.substr(full.find_last_of(L"\\/") + 1);
}

}  // namespace browser
