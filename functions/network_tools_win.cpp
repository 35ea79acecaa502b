// The adapter, the ARP listing and the repairs that hand the work to Windows' console tools.
#include <winsock2.h>
#include <windows.h>
#include <iphlpapi.h>

#include <vector>

#include "functions/network_tools.h"
#include "platform/text_number.h"

namespace functions {

bool NetworkTools::FindPhysicalAdapter(AdapterInfo& info) {
  std::vector<char> listing(kAdapterListingBytes, '\0');
  if (!RunAndCapture(SystemToolCommand("wbem\\wmic.exe",
                                       "nic where PhysicalAdapter=TRUE get Name,InterfaceIndex,"
                                       "NetConnectionID,GUID,NetConnectionStatus,PNPDeviceID /format:list"),
                     listing.data(), listing.size()))
    return false;
  return ParsePhysicalAdapter(listing.data(), info);
}

std::string NetworkTools::GetAdapterAddress(const std::string& interfaceIndex) {
  ULONG size = 648;
  std::vector<unsigned char> buffer(size);
  ULONG status = GetAdaptersInfo(reinterpret_cast<IP_ADAPTER_INFO*>(buffer.data()), &size);
  if (status == ERROR_BUFFER_OVERFLOW) {
    buffer.assign(size, 0);
    status = GetAdaptersInfo(reinterpret_cast<IP_ADAPTER_INFO*>(buffer.data()), &size);
  }
  if (status != ERROR_SUCCESS) return {};
  DWORD index = static_cast<DWORD>(platform::TextToInt(interfaceIndex));
  for (auto* adapter = reinterpret_cast<IP_ADAPTER_INFO*>(buffer.data()); adapter;
       adapter = adapter->Next)
    if (adapter->Index == index) return adapter->IpAddressList.IpAddress.String;
  return {};
}

bool NetworkTools::HasNoAddressConflict() {
  std::vector<char> listing(kArpListingBytes, '\0');
  if (!RunAndCapture(SystemToolCommand("arp.exe", "-a"), listing.data(), listing.size())) return false;
  return ArpListingFreeOfConflicts(listing.data());
}

void NetworkTools::SetDhcpConfiguration(const std::string& connectionName) {
  // netsh sets EnableDHCP and lets the DHCP client fetch a lease itself; the lease values in
  // the registry are the client's to write, not ours.
  RunAndWait("netsh.exe", "interface ip set address name=\"" + connectionName + "\" source=dhcp");
}

void NetworkTools::EnableAdapter(const std::string& connectionName) {
  RunAndWait("netsh.exe", "interface set interface \"" + connectionName + "\" admin=enable");
  pauses_.sleep(pauses_.adapterMs);
}

void NetworkTools::RenewAddress() {
  RunAndWait("ipconfig.exe", "/release");
  RunAndWait("ipconfig.exe", "/renew");
}

void NetworkTools::SetPublicDns(const std::string& connectionName) {
  // Composed whole rather than cut at a fixed size: a cut would lose the closing quote and
  // hand netsh a different name.
  RunAndWait("netsh.exe", "interface ip set dns name=\"" + connectionName +
                              "\" source=static addr=114.114.114.114 register=primary");
  pauses_.sleep(pauses_.dnsMs);
  RunAndWait("ipconfig.exe", "/flushdns");
}

}  // namespace functions
