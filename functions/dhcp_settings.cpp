#include "functions/dhcp_settings.h"

namespace functions {

bool DhcpSettingsConfigured(const DhcpSettings& settings, const std::string& adapterAddress) {
  if (settings.enableDhcp != 1 || settings.dhcpServer.empty()) return false;
  return adapterAddress.empty() || settings.dhcpIpAddress == adapterAddress;
}

}  // namespace functions
