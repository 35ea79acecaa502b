// The machine's adapters from the IP Helper API and the registry. wmic, which this once asked,
// is no longer installed by default on current Windows 11.
#include <winsock2.h>
#include <windows.h>
#include <iphlpapi.h>

#include <set>
#include <vector>

#include "functions/network_tools.h"
#include "platform/text_conversion.h"

namespace functions {

const char kNetworkClassKey[] =
    "SYSTEM\\CurrentControlSet\\Control\\Network\\{4D36E972-E325-11CE-BFC1-08002BE10318}";

namespace {

// A REG_SZ value of the adapter's Connection key, as UTF-8; empty when absent or not text.
std::string ReadConnectionValue(const std::string& guid, const wchar_t* valueName) {
  std::string path = std::string(kNetworkClassKey) + "\\" + guid + "\\Connection";
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
    return {};
  // Read with room for a terminator the value itself may lack.
  wchar_t value[512] = {};
  DWORD type = 0;
  DWORD size = sizeof value - sizeof(wchar_t);
  LONG status = RegQueryValueExW(key, valueName, nullptr, &type, reinterpret_cast<BYTE*>(value), &size);
  RegCloseKey(key);
  return status == ERROR_SUCCESS && type == REG_SZ ? platform::WideToUtf8(value) : std::string();
}

std::vector<AdapterRecord> ListedAdapters() {
  const ULONG flags = GAA_FLAG_SKIP_UNICAST | GAA_FLAG_SKIP_ANYCAST | GAA_FLAG_SKIP_MULTICAST |
                      GAA_FLAG_SKIP_DNS_SERVER;
  std::vector<unsigned char> buffer;
  ULONG size = 16 * 1024;
  ULONG status = ERROR_BUFFER_OVERFLOW;
  // The list may grow between the call that asks for the size and the next one.
  for (int attempt = 0; attempt < 4 && status == ERROR_BUFFER_OVERFLOW; ++attempt) {
    buffer.assign(size, 0);
    status = GetAdaptersAddresses(AF_UNSPEC, flags, nullptr,
                                  reinterpret_cast<IP_ADAPTER_ADDRESSES*>(buffer.data()), &size);
  }
  std::vector<AdapterRecord> records;
  if (status != ERROR_SUCCESS) return records;
  for (auto* adapter = reinterpret_cast<IP_ADAPTER_ADDRESSES*>(buffer.data()); adapter;
       adapter = adapter->Next) {
    AdapterRecord record;
    record.interfaceIndex = adapter->IfIndex;
    record.guid = adapter->AdapterName ? adapter->AdapterName : "";
    record.connectionName = platform::WideToUtf8(adapter->FriendlyName);
    record.description = platform::WideToUtf8(adapter->Description);
    record.ifType = adapter->IfType;
    record.operStatus = static_cast<OperStatus>(adapter->OperStatus);
    record.pnpInstanceId = ReadConnectionValue(record.guid, L"PnPInstanceId");
    records.push_back(record);
  }
  return records;
}

// Adapters the network class key knows and the IP Helper API did not list: their driver does
// not run, mostly because the user disabled them.
void AddUnlistedAdapters(std::vector<AdapterRecord>& records) {
  std::set<std::string> listed;
  for (const AdapterRecord& record : records) listed.insert(record.guid);
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kNetworkClassKey, 0, KEY_ENUMERATE_SUB_KEYS, &key) !=
      ERROR_SUCCESS)
    return;
  char name[256];
  for (DWORD i = 0;; ++i) {
    DWORD length = sizeof name;
    LONG status = RegEnumKeyExA(key, i, name, &length, nullptr, nullptr, nullptr, nullptr);
    if (status == ERROR_MORE_DATA) continue;
    if (status != ERROR_SUCCESS) break;
    std::string guid(name, length);
    if (guid.empty() || guid[0] != '{' || listed.count(guid)) continue;
    AdapterRecord record;
    record.listed = false;
    record.guid = guid;
    record.connectionName = ReadConnectionValue(guid, L"Name");
    record.pnpInstanceId = ReadConnectionValue(guid, L"PnPInstanceId");
    if (!record.pnpInstanceId.empty()) records.push_back(record);
  }
  RegCloseKey(key);
}

}  // namespace

std::vector<AdapterRecord> NetworkTools::ReadAdapterRecords() {
  std::vector<AdapterRecord> records = ListedAdapters();
  AddUnlistedAdapters(records);
  return records;
}

bool NetworkTools::FindPhysicalAdapter(AdapterInfo& info) {
  return ChoosePhysicalAdapter(ReadAdapterRecords(), info);
}

}  // namespace functions
