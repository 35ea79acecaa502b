#pragma once
#include <set>
#include <string>
#include <vector>

#include "functions/dhcp_settings.h"
#include "functions/network_display.h"
#include "functions/network_operations.h"
#include "functions/network_sequence.h"
#include "functions/network_text.h"

// A machine and a sub-page for the network check and repair: the machine answers from the
// fields below (the ARP listing, the proxy text and the DHCP values go through the real
// readers), and both write down what was asked of them.
namespace test_support {

class StandInNetwork : public functions::NetworkOperations {
 public:
  StandInNetwork() {
    adapter.name = "Realtek PCIe GbE Family Controller";
    adapter.interfaceIndex = "12";
    adapter.connectionName = "以太网";
    adapter.guid = "{5B2C7E0A-1111-2222-3333-444455556666}";
    adapter.connectionStatus = "2";
    dhcp.enableDhcpRead = true;
    dhcp.enableDhcp = 1;
    dns.read = true;
    dns.nameServer = {true, "10.20.0.1,10.20.0.2"};
    dns.registrationEnabled = {true, 1};
    dns.registerAdapterName = {true, 1};
    dhcp.dhcpServer = "10.20.0.1";
    dhcp.dhcpIpAddress = "10.20.0.57";
  }

  bool adapterFound = true;
  functions::AdapterInfo adapter;
  std::string address = "10.20.0.57";
  bool dhcpRunning = true;
  bool dhcpStarts = true;  // whether starting the service gets it running
  // What a renewal gets a DHCP adapter: a lease for this address from this server, or
  // nothing when the server is empty.
  std::string renewServer = "10.20.0.1";
  std::string renewAddress = "10.20.0.57";
  functions::DhcpSettings dhcp;
  static constexpr const char* kFreeArpListing =
      "\r\nInterface: 10.20.0.57 --- 0xc\r\n  Internet Address      Physical Address      Type\r\n"
      "  10.20.0.1             11-22-33-44-55-66     dynamic\r\n\r\nInterface: 127.0.0.1 --- "
      "0x1\r\n";
  std::string arpListing = kFreeArpListing;
  bool resolves = true;
  // Whether names resolve once the public server is set.
  bool resolvesWithPublicDns = true;
  functions::DnsSettings dns;
  functions::ProxySettings proxy;
  bool proxyAnswers = true;  // whether a well-formed proxy text leads to a proxy that answers
  bool web = true;
  // What the repairs achieve: a machine may refuse each of them.
  bool enableBringsUp = true;
  bool renewClearsConflict = true;
  bool disablingWorks = true;
  std::vector<std::string> calls;

  bool FindPhysicalAdapter(functions::AdapterInfo& info) override {
    calls.push_back("FindPhysicalAdapter");
    if (adapterFound) info = adapter;
    return adapterFound;
  }
  std::string GetAdapterAddress(const std::string& interfaceIndex) override {
    calls.push_back("GetAdapterAddress " + interfaceIndex);
    return address;
  }
  bool IsServiceRunning(const char* name) override {
    calls.push_back(std::string("IsServiceRunning ") + name);
    return dhcpRunning;
  }
  void StartServiceAndWait(const char* name) override {
    calls.push_back(std::string("StartServiceAndWait ") + name);
    dhcpRunning = dhcpStarts;
  }
  bool IsDhcpConfigured(const std::string& guid, const std::string& givenAddress) override {
    calls.push_back("IsDhcpConfigured " + guid + " " + givenAddress);
    return functions::DhcpSettingsConfigured(dhcp, givenAddress);
  }
  void RenewLease(const std::string& connectionName) override {
    calls.push_back("RenewLease " + connectionName);
    if (dhcp.enableDhcp != 1 || renewServer.empty()) return;
    dhcp.dhcpServer = renewServer;
    dhcp.dhcpIpAddress = address = renewAddress;
  }
  std::string ArpListing() override {
    calls.push_back("ArpListing");
    return arpListing;
  }
  bool CanResolveNames() override {
    calls.push_back("CanResolveNames");
    return resolves;
  }
  functions::ProxySettings ReadProxySettings() override {
    calls.push_back("ReadProxySettings");
    return proxy;
  }
  bool IsProxyWorking(const std::string& serverText) override {
    calls.push_back("IsProxyWorking " + serverText);
    functions::ProxyEndpoint endpoint;
    return functions::ParseProxyServer(serverText, endpoint) && proxyAnswers;
  }
  bool CanReachWeb() override {
    calls.push_back("CanReachWeb");
    return web;
  }
  void EnableAdapter(const std::string& connectionName) override {
    calls.push_back("EnableAdapter " + connectionName);
    if (enableBringsUp) adapter.connectionStatus = "2";
  }
  void RenewAddress() override {
    calls.push_back("RenewAddress");
    if (renewClearsConflict) arpListing = kFreeArpListing;
  }
  functions::DnsSettings ReadDnsSettings(const std::string& guid) override {
    calls.push_back("ReadDnsSettings " + guid);
    return dns;
  }
  // What netsh does: one static server, registered under the primary suffix only.
  void SetPublicDns(const std::string& connectionName) override {
    calls.push_back("SetPublicDns " + connectionName);
    dns.nameServer = {true, "114.114.114.114"};
    dns.registrationEnabled = {true, 1};
    dns.registerAdapterName = {true, 0};
    resolves = resolvesWithPublicDns;
  }
  void RestoreDnsSettings(const std::string& connectionName, const std::string& guid,
                          const functions::DnsSettings& kept) override {
    calls.push_back("RestoreDnsSettings " + connectionName + " " + guid);
    dns = kept;
  }
  void DisableProxy() override {
    calls.push_back("DisableProxy");
    if (disablingWorks) proxy.enable = 0;
  }

  // Whether a call beginning with the text was made.
  bool Called(const std::string& call) const {
    for (const std::string& made : calls)
      if (made.compare(0, call.size(), call) == 0) return true;
    return false;
  }
};

// Keeps the buttons' current state, as the sub-page would, and every status shown.
class StandInPage : public functions::NetworkDisplay {
 public:
  struct Status {
    functions::NetworkRow row;
    std::wstring text;
    functions::RowLook look;
    bool operator==(const Status& other) const {
      return row == other.row && text == other.text && look == other.look;
    }
  };
  struct Button {
    bool shown = true;
    bool enabled = true;
  };

  std::set<functions::NetworkRow> missingRows;
  std::vector<Status> statuses;
  std::vector<std::wstring> prompts;  // title + "|" + message
  Button check;
  Button repair{false, true};
  bool backEnabled = true;

  bool HasRow(functions::NetworkRow row) const override { return !missingRows.count(row); }
  void ShowRowStatus(functions::NetworkRow row, const std::wstring& text,
                     functions::RowLook look) override {
    statuses.push_back({row, text, look});
  }
  void SetCheckButton(bool shown, bool enabled) override { check = {shown, enabled}; }
  void SetRepairButton(bool shown, bool enabled) override { repair = {shown, enabled}; }
  void SetBackEnabled(bool enabled) override { backEnabled = enabled; }
  void ShowPrompt(const std::wstring& title, const std::wstring& message) override {
    prompts.push_back(title + L"|" + message);
  }

  // The last status of the row, or empty text when it never had one.
  std::wstring Last(functions::NetworkRow row) const {
    for (auto it = statuses.rbegin(); it != statuses.rend(); ++it)
      if (it->row == row) return it->text;
    return {};
  }
  functions::RowLook LastLook(functions::NetworkRow row) const {
    for (auto it = statuses.rbegin(); it != statuses.rend(); ++it)
      if (it->row == row) return it->look;
    return functions::RowLook::kRunning;
  }
};

// The pauses asked for, none of them slept.
inline functions::NetworkPauses RecordedPauses(std::vector<unsigned>& asked) {
  functions::NetworkPauses pauses;
  pauses.sleep = [&asked](unsigned ms) { asked.push_back(ms); };
  return pauses;
}

}  // namespace test_support
