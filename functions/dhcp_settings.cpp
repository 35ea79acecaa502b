#include "functions/dhcp_settings.h"

namespace functions {

bool DhcpSettingsConfigured(const DhcpSettings& settings, const std::string& adapterAddress) {
  if (settings.enableDhcp != 1 || settings.dhcpServer.empty()) return false;
  bool hasAddress = !adapterAddress.empty() && adapterAddress != "0.0.0.0";
  return !hasAddress || settings.dhcpIpAddress == adapterAddress;
}

}  // namespace functions
