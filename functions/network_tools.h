#pragma once
#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "functions/dhcp_settings.h"
#include "functions/network_adapters.h"
#include "functions/network_operations.h"
#include "functions/network_pauses.h"

// The probes and repairs of the network sub-page with Windows' own means: console tools, the
// service manager, the registry, WinHTTP, getaddrinfo and libcurl. Holds no state between
// calls, only where to probe and how long to pause.
namespace functions {

// The site that stands for "the internet". Tests point it at loopback servers of their own.
struct ProbeTarget {
  std::string host = "www.baidu.com";
  unsigned short webPort = 80;
  // What the proxy probe fetches through the proxy; empty: "https://" + host.
  std::string proxyProbeUrl;
};

// Where the adapter, DHCP, DNS and proxy values live, and what the capture buffer holds.
extern const char kInterfacesKey[];        // under HKEY_LOCAL_MACHINE, + "\" + adapter GUID
extern const char kNetworkClassKey[];      // under HKEY_LOCAL_MACHINE, + "\" + GUID + "\Connection"
extern const char kInternetSettingsKey[];  // under HKEY_CURRENT_USER
constexpr size_t kArpListingBytes = 4096;
// Room for a per-protocol proxy list with long host names.
constexpr unsigned kProxyServerBytes = 2048;

// The system folder with its closing backslash, and a command line that starts the tool
// there by its full, quoted path (program relative to the system folder, e.g. "arp.exe").
std::string SystemToolFolder();
std::string SystemToolCommand(const char* program, const std::string& arguments);

class NetworkTools : public NetworkOperations {
 public:
  explicit NetworkTools(ProbeTarget probe = {}, NetworkPauses pauses = {})
      : probe_(std::move(probe)), pauses_(std::move(pauses)) {}

  // Runs the command line hidden with standard output and error on one pipe, appending what
  // it prints to buffer (which the caller zero-fills) up to capacity - 1 bytes, so the text
  // stays terminated; the rest is read and dropped. Returns after the process has ended.
  // False when the pipe or the process could not be made.
  virtual bool RunAndCapture(const std::string& commandLine, char* buffer, size_t capacity);
  // Runs System32\program hidden with the parameters (UTF-8) and waits for it to end.
  virtual void RunAndWait(const char* program, const std::string& parameters);

  bool FindPhysicalAdapter(AdapterInfo& info) override;
  std::string GetAdapterAddress(const std::string& interfaceIndex) override;
  bool IsServiceRunning(const char* name) override;
  // Polls until the service runs, for at most kServiceStartLimitMs.
  void StartServiceAndWait(const char* name) override;
  bool IsDhcpConfigured(const std::string& guid, const std::string& address) override;
  void RenewLease(const std::string& connectionName) override;
  std::string ArpListing() override;
  bool CanResolveNames() override;
  ProxySettings ReadProxySettings() override;
  bool IsProxyWorking(const std::string& serverText) override;
  bool CanReachWeb() override;
  void EnableAdapter(const std::string& connectionName) override;
  void RenewAddress() override;
  DnsSettings ReadDnsSettings(const std::string& guid) override;
  void SetPublicDns(const std::string& connectionName) override;
  void RestoreDnsSettings(const std::string& connectionName, const std::string& guid,
                          const DnsSettings& kept) override;
  void DisableProxy() override;

  // Every adapter the IP Helper API lists, with its plug-and-play id from the registry, then
  // those only the registry knows (disabled ones). Empty when neither can be read.
  static std::vector<AdapterRecord> ReadAdapterRecords();
  // The registry half of IsDhcpConfigured.
  static DhcpSettings ReadDhcpSettings(const std::string& guid);
  // The registry half of RestoreDnsSettings: each kept value written back, each absent one
  // deleted. Nothing happens when the adapter's key is gone.
  static void WriteDnsSettings(const std::string& guid, const DnsSettings& kept);

  static constexpr unsigned kServiceStartLimitMs = 30000;
  // A probe through a proxy that does not answer must not hold the check up.
  static constexpr long kProxyConnectTimeoutSeconds = 3;
  static constexpr long kProxyTotalTimeoutSeconds = 5;
  static constexpr int kWebTimeoutMs = 5000;

 private:
  ProbeTarget probe_;
  NetworkPauses pauses_;
};

}  // namespace functions
