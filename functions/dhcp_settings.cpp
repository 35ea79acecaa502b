#include "functions/dhcp_settings.h"

namespace functions {

AddressConfiguration ClassifyAddressConfiguration(const DhcpSettings& settings,
                                                  const std::string& adapterAddress) {
  if (!settings.enableDhcpRead || settings.enableDhcp > 1) return AddressConfiguration::kUnreadable;
  if (settings.enableDhcp == 0) return AddressConfiguration::kStatic;
  // When no server answers, the client records the broadcast address as its server and
  // gives the adapter an automatic private address instead of a lease.
  const std::string& lease = settings.dhcpIpAddress;
  if (settings.dhcpServer.empty() || settings.dhcpServer == "255.255.255.255" || lease.empty() ||
      lease == "0.0.0.0" || lease.compare(0, 8, "169.254.") == 0)
    return AddressConfiguration::kWithoutLease;
  bool hasAddress = !adapterAddress.empty() && adapterAddress != "0.0.0.0";
  return !hasAddress || settings.dhcpIpAddress == adapterAddress
             ? AddressConfiguration::kLeased
             : AddressConfiguration::kWithoutLease;
}

bool DhcpSettingsConfigured(const DhcpSettings& settings, const std::string& adapterAddress) {
  AddressConfiguration found = ClassifyAddressConfiguration(settings, adapterAddress);
  return found == AddressConfiguration::kStatic || found == AddressConfiguration::kLeased;
}

}  // namespace functions
