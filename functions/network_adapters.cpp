#include "functions/network_adapters.h"

namespace functions {

namespace {

AdapterInfo InfoOf(const AdapterRecord& record) {
  AdapterInfo info;
  info.name = record.description;
  info.interfaceIndex = std::to_string(record.interfaceIndex);
  info.connectionName = record.connectionName;
  info.guid = record.guid;
  info.connectionStatus = ConnectionStatusOf(record);
  return info;
}

}  // namespace

bool IsPhysicalAdapter(const AdapterRecord& record) {
  // The registry keeps the instance id in whatever case the bus driver reported it.
  std::string bus = record.pnpInstanceId.substr(0, 4);
  for (char& c : bus) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
  if (bus != "PCI\\") return false;
  if (!record.listed) return true;
  return record.ifType == kIfTypeEthernet || record.ifType == kIfTypeWireless;
}

std::string ConnectionStatusOf(const AdapterRecord& record) {
  if (!record.listed) return "0";
  switch (record.operStatus) {
    case OperStatus::kUp:
      return "2";
    case OperStatus::kDown:
    case OperStatus::kLowerLayerDown:
      return "7";
    case OperStatus::kDormant:  // waiting for the network to let it in, e.g. 802.1X
      return "8";
    case OperStatus::kNotPresent:
      return "4";
    default:
      return "6";
  }
}

bool ChoosePhysicalAdapter(const std::vector<AdapterRecord>& records, AdapterInfo& info) {
  const AdapterRecord* chosen = nullptr;
  auto rank = [](const AdapterRecord& record) {
    return !record.listed ? 0 : record.operStatus == OperStatus::kUp ? 2 : 1;
  };
  for (const AdapterRecord& record : records) {
    if (!IsPhysicalAdapter(record) || record.guid.empty() || record.connectionName.empty())
      continue;
    if (!chosen || rank(record) > rank(*chosen)) chosen = &record;
  }
  if (!chosen) return false;
  info = InfoOf(*chosen);
  return true;
}

}  // namespace functions
