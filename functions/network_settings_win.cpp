// The DHCP client service and the registry values of the DHCP and proxy checks.
#include <windows.h>

#include "functions/network_tools.h"
#include "platform/registry.h"

namespace functions {

const char kInterfacesKey[] = "SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces";
const char kInternetSettingsKey[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";

namespace {

// A DWORD value, 0 when the key or value cannot be read or is not four bytes long.
DWORD ReadDword(HKEY root, const std::string& subKey, const char* valueName) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, subKey.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return 0;
  DWORD value = 0;
  DWORD size = sizeof value;
  LONG status =
      RegQueryValueExA(key, valueName, nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size);
  RegCloseKey(key);
  return status == ERROR_SUCCESS && size == sizeof value ? value : 0;
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
  settings.enableDhcp = ReadDword(HKEY_LOCAL_MACHINE, key, "EnableDHCP");
  settings.dhcpServer =
      platform::ReadRegistryText(HKEY_LOCAL_MACHINE, key.c_str(), "DhcpServer", 100);
  settings.dhcpIpAddress =
      platform::ReadRegistryText(HKEY_LOCAL_MACHINE, key.c_str(), "DhcpIPAddress", 100);
  return settings;
}

bool NetworkTools::IsDhcpConfigured(const std::string& guid, const std::string& address) {
  return DhcpSettingsConfigured(ReadDhcpSettings(guid), address);
}

ProxySettings NetworkTools::ReadProxySettings() {
  ProxySettings proxy;
  proxy.enable = ReadDword(HKEY_CURRENT_USER, kInternetSettingsKey, "ProxyEnable");
  proxy.server =
      platform::ReadRegistryText(HKEY_CURRENT_USER, kInternetSettingsKey, "ProxyServer", 100);
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
