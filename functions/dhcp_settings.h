#pragma once
#include <string>

namespace functions {

// What the adapter's key under Tcpip\Parameters\Interfaces says about DHCP.
struct DhcpSettings {
  bool enableDhcpRead = false;   // the DWORD "EnableDHCP" could be read
  unsigned long enableDhcp = 0;  // 1: the adapter asks a DHCP server; 0: a static address
  std::string dhcpServer;
  std::string dhcpIpAddress;
};

enum class AddressConfiguration {
  kStatic,        // set by hand: there is no lease to have, and nothing here to judge
  kLeased,        // DHCP, with a lease for the adapter's address
  kWithoutLease,  // DHCP, but no server has given it one (or one for another address)
  kUnreadable,    // the switch is missing or holds a value Windows does not write
};

// A lease may come from whichever server the network has; when the adapter has an address,
// the lease must be for that address. The adapter list shows "0.0.0.0" for an adapter
// without one.
AddressConfiguration ClassifyAddressConfiguration(const DhcpSettings& settings,
                                                  const std::string& adapterAddress);

// What the DHCP row accepts: a static address, or DHCP with a lease.
bool DhcpSettingsConfigured(const DhcpSettings& settings, const std::string& adapterAddress);

}  // namespace functions
