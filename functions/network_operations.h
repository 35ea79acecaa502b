#pragma once
#include <string>

#include "functions/dns_settings.h"
#include "functions/network_text.h"

// What the network check and repair ask of the machine. NetworkTools answers with Windows'
// own tools; the tests answer with a recording stand-in.
namespace functions {

// The Internet Settings of the current user: the switch (0 when unreadable) and "host:port".
struct ProxySettings {
  unsigned long enable = 0;
  std::string server;
};

class NetworkOperations {
 public:
  virtual ~NetworkOperations() = default;

  virtual bool FindPhysicalAdapter(AdapterInfo& info) = 0;
  // The adapter's first IP address, or empty text.
  virtual std::string GetAdapterAddress(const std::string& interfaceIndex) = 0;
  virtual bool IsServiceRunning(const char* name) = 0;
  virtual void StartServiceAndWait(const char* name) = 0;
  // A static address, or DHCP with a lease for the address.
  virtual bool IsDhcpConfigured(const std::string& guid, const std::string& address) = 0;
  // Asks the DHCP server for a lease for this connection alone. Never switches a static
  // configuration to DHCP: the address was set by hand for a reason this program cannot know.
  virtual void RenewLease(const std::string& connectionName) = 0;
  // What `arp -a` prints, or empty text when it could not run.
  virtual std::string ArpListing() = 0;
  virtual bool CanResolveNames() = 0;
  virtual ProxySettings ReadProxySettings() = 0;
  virtual bool IsProxyWorking(const std::string& serverText) = 0;
  virtual bool CanReachWeb() = 0;
  virtual void EnableAdapter(const std::string& connectionName) = 0;
  virtual void RenewAddress() = 0;
  virtual DnsSettings ReadDnsSettings(const std::string& guid) = 0;
  virtual void SetPublicDns(const std::string& connectionName) = 0;
  // Puts back what ReadDnsSettings kept, through netsh and then value by value.
  virtual void RestoreDnsSettings(const std::string& connectionName, const std::string& guid,
                                  const DnsSettings& kept) = 0;
  virtual void DisableProxy() = 0;
};

}  // namespace functions
