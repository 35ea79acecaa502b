#pragma once
#include <string>
#include <vector>

// Readers of the text that Windows' network tools print; the probes that run the tools are
// elsewhere. Everything here takes the captured output as it came, possibly cut short.
namespace functions {

// The physical adapter the check looks at (see network_adapters.h).
struct AdapterInfo {
  std::string name;
  std::string interfaceIndex;  // decimal
  std::string connectionName;  // UTF-8: the name netsh knows the adapter by
  std::string guid;            // with braces: the adapter's key under Tcpip\Parameters\Interfaces
  std::string connectionStatus;  // NetConnectionStatus's number: "2" connected, "7" unplugged
};

// Splits at every CR and LF, dropping empty lines.
std::vector<std::string> SplitLines(const std::string& text);

// One interface section of `arp -a`: the interface's own address as its header names it
// ("Interface: 192.168.1.5 --- 0xc", "接口: ..."; empty before any header) and whether an
// address is listed twice in it.
struct ArpSection {
  std::string interfaceAddress;
  bool repeatedAddress = false;
};

// Every section of the listing, the last one too. Address lines start (after spaces) with a
// dotted quad; any other line closes the addresses before it, and a header line also names the
// interface of those after it. PCs with VPN clients and virtual machines list one section per
// adapter, and the physical adapter's is often the last.
std::vector<ArpSection> ReadArpListing(const std::string& arpListing);

// Whether `arp -a` shows every address at most once within each interface section. An empty
// listing proves nothing and counts as a fault.
bool ArpListingFreeOfConflicts(const std::string& arpListing);

// Where web requests go through the configured proxy.
struct ProxyEndpoint {
  bool socks = false;  // a SOCKS proxy rather than an HTTP one
  std::string host;
  int port = 0;
};

// The proxy server text of the Internet Settings, "host:port" for every protocol, or one
// proxy per protocol ("http=host:80;https=host:443", "socks=host:1080"). Of the latter, the
// one web requests take: the "https" entry, else "http", else "socks". False for a loopback
// proxy ("127.0.0.1..."), for an address without ":" or with it before position 7, and for a
// per-protocol text without a web entry.
bool ParseProxyServer(const std::string& text, ProxyEndpoint& proxy);

}  // namespace functions
