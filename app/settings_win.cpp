#include "app/settings.h"

#include <windows.h>

#include "app/registry_names.h"
#include "platform/registry.h"

namespace app {

std::string ReadStoredToken() {
  return platform::ReadRegistryText(HKEY_CURRENT_USER, kMainKey, kTokenValue, kTokenBytes);
}

void StoreToken(const std::string& token) {
  if (!platform::RegistryKeyExists(HKEY_CURRENT_USER, kMainKey))
    platform::CreateRegistryKey(HKEY_CURRENT_USER, "Software", "Tessavane\\Main");
  platform::WriteRegistryText(HKEY_CURRENT_USER, kMainKey, kTokenValue, token);
}

void ForgetToken() { platform::DeleteRegistryValue(HKEY_CURRENT_USER, kMainKey, kTokenValue); }

void ForgetSignIn() {
  ForgetToken();
  platform::DeleteRegistryValue(HKEY_CURRENT_USER, kMainKey, kPhoneValue);
}

}  // namespace app
