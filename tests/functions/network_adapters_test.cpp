#include "functions/network_adapters.h"

#include <gtest/gtest.h>

namespace {

using namespace functions;

AdapterRecord Listed(unsigned long index, const char* guid, const char* name, unsigned long type,
                     OperStatus status, const char* pnp, const char* description = "adapter") {
  AdapterRecord record;
  record.interfaceIndex = index;
  record.guid = guid;
  record.connectionName = name;
  record.description = description;
  record.ifType = type;
  record.operStatus = status;
  record.pnpInstanceId = pnp;
  return record;
}

AdapterRecord Unlisted(const char* guid, const char* name, const char* pnp) {
  AdapterRecord record;
  record.listed = false;
  record.guid = guid;
  record.connectionName = name;
  record.pnpInstanceId = pnp;
  return record;
}

// What a laptop with a hypervisor and a VPN lists, in the API's order.
std::vector<AdapterRecord> Laptop() {
  return {
      Listed(1, "{LOOPBACK}", "Loopback Pseudo-Interface 1", 24, OperStatus::kUp, ""),
      Listed(23, "{HYPERV}", "vEthernet (Default Switch)", kIfTypeEthernet, OperStatus::kUp,
             "ROOT\\VMS_MP\\0000"),
      Listed(9, "{VBOX}", "VirtualBox Host-Only Network", kIfTypeEthernet, OperStatus::kUp,
             "ROOT\\NET\\0000"),
      Listed(31, "{TAP}", "OpenVPN TAP", kIfTypeEthernet, OperStatus::kDown, "ROOT\\NET\\0001"),
      Listed(14, "{TEREDO}", "Teredo Tunneling Pseudo-Interface", 131, OperStatus::kUp, ""),
      Listed(12, "{ETHERNET}", "以太网", kIfTypeEthernet, OperStatus::kDown,
             "PCI\\VEN_10EC&DEV_8168&SUBSYS_86771043&REV_15\\01000000684CE00000",
             "Realtek PCIe GbE Family Controller"),
      Listed(17, "{WIFI}", "WLAN", kIfTypeWireless, OperStatus::kUp,
             "PCI\\VEN_8086&DEV_2723&SUBSYS_00848086&REV_1A\\4&2F5C3A9&0&00E4",
             "Intel(R) Wi-Fi 6 AX200 160MHz"),
  };
}

TEST(PhysicalAdapter, OnlyPciEthernetAndWifiCount) {
  for (const AdapterRecord& record : Laptop()) {
    SCOPED_TRACE(record.connectionName);
    EXPECT_EQ(IsPhysicalAdapter(record), record.guid == "{ETHERNET}" || record.guid == "{WIFI}");
  }
  // A PCI device of another type: a modem or a mobile broadband card.
  EXPECT_FALSE(IsPhysicalAdapter(
      Listed(40, "{WWAN}", "Cellular", 243, OperStatus::kUp, "PCI\\VEN_1CF8&DEV_8653")));
  // The bus name as some drivers write it.
  EXPECT_TRUE(IsPhysicalAdapter(
      Listed(5, "{E}", "Ethernet", kIfTypeEthernet, OperStatus::kUp, "pci\\ven_8086&dev_15b8")));
  EXPECT_FALSE(IsPhysicalAdapter(
      Listed(5, "{E}", "Ethernet", kIfTypeEthernet, OperStatus::kUp, "PCIE")));
  // A USB dongle is physical to the eye but outside what the check looks at.
  EXPECT_FALSE(IsPhysicalAdapter(
      Listed(6, "{U}", "WLAN 2", kIfTypeWireless, OperStatus::kUp, "USB\\VID_0BDA&PID_8179\\1")));
}

TEST(PhysicalAdapter, TheOneThatIsUpIsChosenOverAnEarlierUnpluggedOne) {
  AdapterInfo info;
  ASSERT_TRUE(ChoosePhysicalAdapter(Laptop(), info));
  EXPECT_EQ(info.name, "Intel(R) Wi-Fi 6 AX200 160MHz");
  EXPECT_EQ(info.interfaceIndex, "17");
  EXPECT_EQ(info.connectionName, "WLAN");
  EXPECT_EQ(info.guid, "{WIFI}");
  EXPECT_EQ(info.connectionStatus, "2");
}

TEST(PhysicalAdapter, WithNoneUpTheFirstListedIsChosenWithItsStatus) {
  std::vector<AdapterRecord> records = Laptop();
  records.back().operStatus = OperStatus::kDown;
  AdapterInfo info;
  ASSERT_TRUE(ChoosePhysicalAdapter(records, info));
  EXPECT_EQ(info.guid, "{ETHERNET}");
  EXPECT_EQ(info.connectionName, "以太网");
  EXPECT_EQ(info.connectionStatus, "7");
}

TEST(PhysicalAdapter, ADisabledAdapterKnownOnlyToTheRegistryIsFoundAsDisabled) {
  std::vector<AdapterRecord> records = {
      Listed(1, "{LOOPBACK}", "Loopback Pseudo-Interface 1", 24, OperStatus::kUp, ""),
      Unlisted("{SOFTWARE}", "VPN", "ROOT\\NET\\0002"),
      Unlisted("{ETHERNET}", "以太网", "PCI\\VEN_10EC&DEV_8168\\01"),
  };
  AdapterInfo info;
  ASSERT_TRUE(ChoosePhysicalAdapter(records, info));
  EXPECT_EQ(info.guid, "{ETHERNET}");
  EXPECT_EQ(info.connectionName, "以太网");
  EXPECT_EQ(info.connectionStatus, "0");
  // A listed physical adapter, even unplugged, says more than one that is not running.
  records.push_back(Listed(12, "{WIFI}", "WLAN", kIfTypeWireless, OperStatus::kLowerLayerDown,
                           "PCI\\VEN_8086&DEV_2723\\4"));
  ASSERT_TRUE(ChoosePhysicalAdapter(records, info));
  EXPECT_EQ(info.guid, "{WIFI}");
  EXPECT_EQ(info.connectionStatus, "7");
}

TEST(PhysicalAdapter, NoneFoundWithoutAPhysicalAdapterOrItsNames) {
  AdapterInfo info;
  EXPECT_FALSE(ChoosePhysicalAdapter({}, info));
  std::vector<AdapterRecord> virtualOnly = Laptop();
  virtualOnly.resize(5);
  EXPECT_FALSE(ChoosePhysicalAdapter(virtualOnly, info));
  // The PnP id could not be read: nothing tells it from a virtual adapter.
  EXPECT_FALSE(ChoosePhysicalAdapter(
      {Listed(12, "{E}", "Ethernet", kIfTypeEthernet, OperStatus::kUp, "")}, info));
  // netsh needs the connection name and the settings need the GUID.
  EXPECT_FALSE(ChoosePhysicalAdapter(
      {Listed(12, "{E}", "", kIfTypeEthernet, OperStatus::kUp, "PCI\\VEN_1")}, info));
  EXPECT_FALSE(ChoosePhysicalAdapter(
      {Listed(12, "", "Ethernet", kIfTypeEthernet, OperStatus::kUp, "PCI\\VEN_1")}, info));
}

TEST(PhysicalAdapter, OperationalStatusIsToldInTheNumbersTheCheckJudges) {
  const std::pair<OperStatus, const char*> cases[] = {
      {OperStatus::kUp, "2"},         {OperStatus::kDown, "7"},
      {OperStatus::kLowerLayerDown, "7"}, {OperStatus::kNotPresent, "4"},
      {OperStatus::kDormant, "8"},    {OperStatus::kTesting, "6"},
      {OperStatus::kUnknown, "6"},    {static_cast<OperStatus>(99), "6"},
  };
  for (const auto& [status, text] : cases) {
    AdapterRecord record = Listed(1, "{E}", "E", kIfTypeEthernet, status, "PCI\\X");
    EXPECT_EQ(ConnectionStatusOf(record), text) << static_cast<unsigned long>(status);
  }
  EXPECT_EQ(ConnectionStatusOf(Unlisted("{E}", "E", "PCI\\X")), "0");
}

}  // namespace
