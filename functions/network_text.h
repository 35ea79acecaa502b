#pragma once
#include <string>
#include <vector>

// Readers of the text that Windows' network tools print; the probes that run the tools are
// elsewhere. Everything here takes the captured output as it came, possibly cut short.
namespace functions {

// The physical adapter as `wmic nic ... /format:list` describes it; texts exactly as printed.
struct AdapterInfo {
  std::string name;
  std::string interfaceIndex;
  std::string connectionName;  // NetConnectionID: the name netsh knows the adapter by
  std::string guid;            // with braces: the adapter's key under Tcpip\Parameters\Interfaces
  std::string connectionStatus;
};

// Splits at every CR and LF, dropping empty lines.
std::vector<std::string> SplitLines(const std::string& text);

// Fills info from the listing, up to the first adapter whose PNPDeviceID begins with "PCI"
// (a later adapter's lines overwrite an earlier one's). True when such an adapter was reached
// and all five fields are non-empty.
bool ParsePhysicalAdapter(const std::string& wmicListing, AdapterInfo& info);

// Whether `arp -a` shows every address at most once within each interface section. Address
// lines start (after spaces) with a dotted quad; any other line closes the section before it,
// so addresses after the last such line are not examined. An empty listing proves nothing and
// counts as a fault.
bool ArpListingFreeOfConflicts(const std::string& arpListing);

// The proxy server text of the Internet Settings: "host:port". False for a loopback proxy
// ("127.0.0.1..."), and for a text without ":" or with it before position 7.
bool ParseProxyServer(const std::string& text, std::string& host, int& port);

}  // namespace functions
