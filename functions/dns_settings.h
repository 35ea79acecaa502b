#pragma once
#include <string>
#include <vector>

// The adapter's DNS settings as kept before the DNS repair changes them, and what brings them
// back when the change did not help.
namespace functions {

// A registry value that may be absent; absent values are put back as absent.
template <typename T>
struct KeptValue {
  bool present = false;
  T value{};
  bool operator==(const KeptValue& other) const {
    return present == other.present && (!present || value == other.value);
  }
};

// From the adapter's key under Tcpip\Parameters\Interfaces.
struct DnsSettings {
  bool read = false;  // the key could be opened: without it nothing could be put back
  // The servers set by hand, separated by commas or spaces; absent or empty: the servers come
  // from DHCP ("obtain automatically").
  KeptValue<std::string> nameServer;
  // Whether and how the adapter registers its name in DNS; netsh's "register=" sets both.
  KeptValue<unsigned long> registrationEnabled;
  KeptValue<unsigned long> registerAdapterName;
  bool operator==(const DnsSettings& other) const {
    return read == other.read && nameServer == other.nameServer &&
           registrationEnabled == other.registrationEnabled &&
           registerAdapterName == other.registerAdapterName;
  }
};

// The servers of a NameServer text, in order. Anything but an IPv4 or IPv6 address is left
// out: the list goes onto netsh's command line.
std::vector<std::string> NameServerList(const std::string& text);

// netsh's parameters that give the connection its kept servers and registration mode again,
// to run in order.
std::vector<std::string> DnsRestoreParameters(const std::string& connectionName,
                                              const DnsSettings& kept);

}  // namespace functions
