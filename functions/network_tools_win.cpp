// The adapter's address, the ARP listing and the repairs that hand the work to Windows'
// console tools.
#include <winsock2.h>
#include <windows.h>
#include <iphlpapi.h>

#include <vector>

#include "functions/network_tools.h"
#include "platform/text_number.h"

namespace functions {

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

std::string NetworkTools::ArpListing() {
  std::vector<char> listing(kArpListingBytes, '\0');
  if (!RunAndCapture(SystemToolCommand("arp.exe", "-a"), listing.data(), listing.size())) return {};
  return listing.data();
}

void NetworkTools::RenewLease(const std::string& connectionName) {
  // Named, so that the other adapters keep their leases; a static adapter is left as it is.
  RunAndWait("ipconfig.exe", "/renew \"" + connectionName + "\"");
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

void NetworkTools::RestoreDnsSettings(const std::string& connectionName, const std::string& guid,
                                      const DnsSettings& kept) {
  if (!kept.read) return;
  // netsh tells the DNS client; the values are then written as they were, which also keeps
  // separators and entries netsh would not take back.
  for (const std::string& parameters : DnsRestoreParameters(connectionName, kept))
    RunAndWait("netsh.exe", parameters);
  WriteDnsSettings(guid, kept);
  RunAndWait("ipconfig.exe", "/flushdns");
}

}  // namespace functions
