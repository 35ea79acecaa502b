// The DHCP client service and the registry values of the DHCP and proxy checks.
#include <windows.h>

#include "functions/network_tools.h"
#include "platform/registry.h"

namespace functions {

const char kInterfacesKey[] = "SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces";
const char kInternetSettingsKey[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";

namespace {

// A REG_DWORD value of an open key; absent when missing or of another type.
KeptValue<unsigned long> QueryDword(HKEY key, const char* valueName) {
  KeptValue<unsigned long> kept;
  DWORD value = 0;
  DWORD type = 0;
  DWORD size = sizeof value;
  if (RegQueryValueExA(key, valueName, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) ==
          ERROR_SUCCESS &&
      type == REG_DWORD && size == sizeof value) {
    kept.present = true;
    kept.value = value;
  }
  return kept;
}

KeptValue<unsigned long> ReadDwordValue(HKEY root, const std::string& subKey, const char* valueName) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, subKey.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return {};
  KeptValue<unsigned long> kept = QueryDword(key, valueName);
  RegCloseKey(key);
  return kept;
}

// A DWORD value, 0 when the key or value cannot be read or is not a DWORD.
DWORD ReadDword(HKEY root, const std::string& subKey, const char* valueName) {
  return ReadDwordValue(root, subKey, valueName).value;
}

// A REG_SZ value of an open key, whatever its length; absent when missing or of another type.
KeptValue<std::string> QueryText(HKEY key, const char* valueName) {
  KeptValue<std::string> kept;
  DWORD type = 0;
  DWORD size = 0;
  if (RegQueryValueExA(key, valueName, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
      type != REG_SZ)
    return kept;
  std::string bytes(size + 1, '\0');
  if (RegQueryValueExA(key, valueName, nullptr, &type, reinterpret_cast<BYTE*>(&bytes[0]), &size) !=
      ERROR_SUCCESS)
    return kept;
  kept.present = true;
  kept.value = bytes.substr(0, bytes.find('\0'));
  return kept;
}

void PutDword(HKEY key, const char* valueName, const KeptValue<unsigned long>& kept) {
  if (!kept.present) {
    RegDeleteValueA(key, valueName);
    return;
  }
  DWORD value = kept.value;
  RegSetValueExA(key, valueName, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
}

void PutText(HKEY key, const char* valueName, const KeptValue<std::string>& kept) {
  if (!kept.present) {
    RegDeleteValueA(key, valueName);
    return;
  }
  RegSetValueExA(key, valueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(kept.value.c_str()),
                 static_cast<DWORD>(kept.value.size() + 1));
}

// Both handles of one service, closed together.
class ServiceHandle {
 public:
  ServiceHandle(const char* name, DWORD access) {
    manager_ = OpenSCManagerW(nullptr, nullptr, GENERIC_EXECUTE);
    if (manager_) service_ = OpenServiceA(manager_, name, access);
  }
  ~ServiceHandle() {
    if (service_) CloseServiceHandle(service_);
    if (manager_) CloseServiceHandle(manager_);
  }
  ServiceHandle(const ServiceHandle&) = delete;
  ServiceHandle& operator=(const ServiceHandle&) = delete;

  // False when the service could not be opened or queried.
  bool Query(SERVICE_STATUS& status) const {
    return service_ && QueryServiceStatus(service_, &status);
  }
  bool Start() const { return service_ && StartServiceW(service_, 0, nullptr); }

 private:
  SC_HANDLE manager_ = nullptr;
  SC_HANDLE service_ = nullptr;
};

}  // namespace

bool NetworkTools::IsServiceRunning(const char* name) {
  ServiceHandle service(name, SERVICE_QUERY_STATUS);
  SERVICE_STATUS status{};
  return service.Query(status) && status.dwCurrentState == SERVICE_RUNNING;
}

void NetworkTools::StartServiceAndWait(const char* name) {
  ServiceHandle service(name, SERVICE_QUERY_STATUS | SERVICE_START);
  SERVICE_STATUS status{};
  if (!service.Query(status) || status.dwCurrentState == SERVICE_RUNNING) return;
  // A disabled or broken service refuses the start; there is nothing to wait for then.
  if (!service.Start() && GetLastError() != ERROR_SERVICE_ALREADY_RUNNING) return;
  DWORD began = GetTickCount();
  while (service.Query(status) && status.dwCurrentState != SERVICE_RUNNING &&
         status.dwCurrentState != SERVICE_STOPPED &&
         GetTickCount() - began < kServiceStartLimitMs) {
    // The service's own hint, kept between a tenth of a second and a second so the loop
    // neither spins nor oversleeps the bound.
    DWORD wait = status.dwWaitHint < 100    ? 100
                 : status.dwWaitHint > 1000 ? 1000
                                            : status.dwWaitHint;
    Sleep(wait);
  }
}

DhcpSettings NetworkTools::ReadDhcpSettings(const std::string& guid) {
  std::string key = std::string(kInterfacesKey) + "\\" + guid;
  DhcpSettings settings;
  KeptValue<unsigned long> enable = ReadDwordValue(HKEY_LOCAL_MACHINE, key, "EnableDHCP");
  settings.enableDhcpRead = enable.present;
  settings.enableDhcp = enable.value;
  settings.dhcpServer =
      platform::ReadRegistryText(HKEY_LOCAL_MACHINE, key.c_str(), "DhcpServer", 100);
  settings.dhcpIpAddress =
      platform::ReadRegistryText(HKEY_LOCAL_MACHINE, key.c_str(), "DhcpIPAddress", 100);
  return settings;
}

bool NetworkTools::IsDhcpConfigured(const std::string& guid, const std::string& address) {
  return DhcpSettingsConfigured(ReadDhcpSettings(guid), address);
}

DnsSettings NetworkTools::ReadDnsSettings(const std::string& guid) {
  DnsSettings settings;
  std::string path = std::string(kInterfacesKey) + "\\" + guid;
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
    return settings;
  settings.read = true;
  settings.nameServer = QueryText(key, "NameServer");
  settings.registrationEnabled = QueryDword(key, "RegistrationEnabled");
  settings.registerAdapterName = QueryDword(key, "RegisterAdapterName");
  RegCloseKey(key);
  return settings;
}

void NetworkTools::WriteDnsSettings(const std::string& guid, const DnsSettings& kept) {
  std::string path = std::string(kInterfacesKey) + "\\" + guid;
  HKEY key = nullptr;
  if (!kept.read ||
      RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS)
    return;
  PutText(key, "NameServer", kept.nameServer);
  PutDword(key, "RegistrationEnabled", kept.registrationEnabled);
  PutDword(key, "RegisterAdapterName", kept.registerAdapterName);
  RegCloseKey(key);
}

ProxySettings NetworkTools::ReadProxySettings() {
  ProxySettings proxy;
  proxy.enable = ReadDword(HKEY_CURRENT_USER, kInternetSettingsKey, "ProxyEnable");
  proxy.server =
      platform::ReadRegistryText(HKEY_CURRENT_USER, kInternetSettingsKey, "ProxyServer",
                                 kProxyServerBytes);
  return proxy;
}

void NetworkTools::DisableProxy() {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kInternetSettingsKey, 0, KEY_SET_VALUE, &key) ==
      ERROR_SUCCESS) {
    DWORD off = 0;
    RegSetValueExA(key, "ProxyEnable", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&off),
                   sizeof off);
    RegCloseKey(key);
  }
  pauses_.sleep(pauses_.proxyMs);
}

}  // namespace functions
