#pragma once
#include <string>
#include <vector>

#include "functions/network_text.h"

// Which of the machine's network adapters the check looks at, chosen from what the IP Helper
// API and the registry say about each; the reading itself is in network_adapters_win.cpp.
namespace functions {

// IfType values of the adapters a cable or a radio connects (ipifcons.h).
constexpr unsigned long kIfTypeEthernet = 6;
constexpr unsigned long kIfTypeWireless = 71;

// IF_OPER_STATUS values (ifdef.h).
enum class OperStatus : unsigned long {
  kUp = 1,
  kDown = 2,
  kTesting = 3,
  kUnknown = 4,
  kDormant = 5,
  kNotPresent = 6,
  kLowerLayerDown = 7,
};

// One adapter. The IP Helper API lists only adapters whose driver runs; one that the user
// has disabled is known only from the network class key in the registry (listed = false),
// and then carries no type or status.
struct AdapterRecord {
  bool listed = true;
  unsigned long interfaceIndex = 0;
  std::string guid;            // AdapterName, with braces
  std::string connectionName;  // FriendlyName, UTF-8
  std::string description;     // Description, UTF-8
  unsigned long ifType = 0;
  OperStatus operStatus = OperStatus::kUnknown;
  std::string pnpInstanceId;  // the Connection key's PnPInstanceId; empty when unknown
};

// A physical adapter sits on a hardware bus the PC was built with: its plug-and-play
// instance names the PCI bus. Virtual adapters (Hyper-V, VMware, VirtualBox, VPN taps) are
// enumerated under ROOT\ or SWD\, and the loopback and tunnel interfaces have types of their
// own. A listed adapter must also be Ethernet or Wi-Fi by type.
bool IsPhysicalAdapter(const AdapterRecord& record);

// The connection status the check judges, as Win32_NetworkAdapter's NetConnectionStatus
// numbers it: "2" connected, "7" media disconnected, "0" disconnected (a disabled adapter),
// "4" hardware not present, "8" authenticating, "6" anything else.
std::string ConnectionStatusOf(const AdapterRecord& record);

// The physical adapter to check: the first one that is up, else the first listed one, else
// the first disabled one (a laptop's unplugged Ethernet port must not hide its working
// Wi-Fi). False when there is none.
bool ChoosePhysicalAdapter(const std::vector<AdapterRecord>& records, AdapterInfo& info);

}  // namespace functions
