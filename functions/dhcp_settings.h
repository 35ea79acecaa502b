#pragma once
#include <string>

namespace functions {

// What the adapter's key under Tcpip\Parameters\Interfaces says about DHCP.
struct DhcpSettings {
  unsigned long enableDhcp = 0;  // 0 when unreadable
  std::string dhcpServer;
  std::string dhcpIpAddress;
};

// DHCP is on and has a lease from some server. Which server does not matter (every network
// has its own); when the adapter has an address, the lease must be for that address. The
// adapter list shows "0.0.0.0" for an adapter without one.
bool DhcpSettingsConfigured(const DhcpSettings& settings, const std::string& adapterAddress);

}  // namespace functions
