#include "functions/network_text.h"

#include <gtest/gtest.h>

namespace {

using namespace functions;

const char kTwoAdapters[] =
    "\r\r\n\r\r\nGUID={AAAA}\r\r\nInterfaceIndex=4\r\r\nName=USB Wireless\r\r\nNetConnectionID=WLAN\r\r\n"
    "NetConnectionStatus=2\r\r\nPNPDeviceID=USB\\VID_0BDA\r\r\n\r\r\n\r\r\n"
    "GUID={5B2C7E0A-1111-2222-3333-444455556666}\r\r\nInterfaceIndex=12\r\r\n"
    "Name=Realtek PCIe GbE Family Controller\r\r\nNetConnectionID=以太网\r\r\nNetConnectionStatus=7\r\r\n"
    "PNPDeviceID=PCI\\VEN_10EC&DEV_8168\r\r\n\r\r\n";

TEST(WmicListing, TakesThePciAdapterAfterOthers) {
  AdapterInfo info;
  ASSERT_TRUE(ParsePhysicalAdapter(kTwoAdapters, info));
  EXPECT_EQ(info.name, "Realtek PCIe GbE Family Controller");
  EXPECT_EQ(info.interfaceIndex, "12");
  EXPECT_EQ(info.connectionName, "以太网");
  EXPECT_EQ(info.guid, "{5B2C7E0A-1111-2222-3333-444455556666}");
  EXPECT_EQ(info.connectionStatus, "7");
}

TEST(WmicListing, NoPciAdapterOrMissingFieldsIsNotFound) {
  AdapterInfo info;
  std::string usbOnly(kTwoAdapters, std::string(kTwoAdapters).find("\r\r\n\r\r\n\r\r\nGUID={5B"));
  EXPECT_FALSE(ParsePhysicalAdapter(usbOnly, info));
  EXPECT_FALSE(ParsePhysicalAdapter("", info));
  EXPECT_FALSE(ParsePhysicalAdapter("Name=a\nGUID=b\nPNPDeviceID=PCI\\x\n", info));  // under six lines
  AdapterInfo partial;
  EXPECT_FALSE(ParsePhysicalAdapter("Name=a\nInterfaceIndex=1\nNetConnectionID=\nGUID={g}\n"
                                    "NetConnectionStatus=2\nPNPDeviceID=PCI\\x\n",
                                    partial));
  // Prefixes are case-sensitive and must stand at the very start.
  AdapterInfo shifted;
  EXPECT_FALSE(ParsePhysicalAdapter(" Name=a\nInterfaceIndex=1\nNetConnectionID=c\nGUID={g}\n"
                                    "NetConnectionStatus=2\nPNPDeviceID=PCI\\x\n",
                                    shifted));
  // Output cut short before the PCI line: not found.
  AdapterInfo cut;
  std::string whole(kTwoAdapters);
  EXPECT_FALSE(ParsePhysicalAdapter(whole.substr(0, whole.find("PNPDeviceID=PCI")), cut));
}

const char kArpHeader[] = "\r\nInterface: 192.168.1.5 --- 0xc\r\n  Internet Address      Physical Address      Type\r\n";

TEST(ArpListing, ARepeatedAddressWithinOneSectionIsAConflict) {
  std::string listing = std::string(kArpHeader) +
                        "  192.168.1.1           11-22-33-44-55-66     dynamic\r\n"
                        "  192.168.1.1           aa-bb-cc-dd-ee-ff     dynamic\r\n"
                        "\r\nInterface: 10.0.0.2 --- 0x5\r\n";
  EXPECT_FALSE(ArpListingFreeOfConflicts(listing));
}

TEST(ArpListing, TheSameAddressUnderTwoHeadersIsNot) {
  std::string listing = std::string(kArpHeader) + "  192.168.1.1           11-22-33-44-55-66     dynamic\r\n" +
                        kArpHeader + "  192.168.1.1           11-22-33-44-55-66     dynamic\r\n" + "end\r\n";
  EXPECT_TRUE(ArpListingFreeOfConflicts(listing));
}

TEST(ArpListing, RepeatsAfterTheLastHeaderAreNotExamined) {
  std::string listing = std::string(kArpHeader) + "  10.1.1.1 a\r\n  10.1.1.1 b\r\n";
  EXPECT_TRUE(ArpListingFreeOfConflicts(listing));
  EXPECT_FALSE(ArpListingFreeOfConflicts(""));
  EXPECT_FALSE(ArpListingFreeOfConflicts("\r\n\r\n"));
  // Not address lines: a first "." too far in, too few dots, no space after the address.
  EXPECT_TRUE(ArpListingFreeOfConflicts("1234.1.1.1 x\n1234.1.1.1 x\nhdr\n1.1.1 x\n1.1.1 x\nhdr\n"));
  EXPECT_FALSE(ArpListingFreeOfConflicts("1.2.3.4 x\n1.2.3.4 y\nhdr\n"));
}

TEST(ProxyServerText, HostAndPortOrAFault) {
  std::string host;
  int port = 0;
  ASSERT_TRUE(ParseProxyServer("proxy.corp:8080", host, port));
  EXPECT_EQ(host, "proxy.corp");
  EXPECT_EQ(port, 8080);
  ASSERT_TRUE(ParseProxyServer("10.0.0.1:3128x", host, port));
  EXPECT_EQ(port, 3128);
  EXPECT_FALSE(ParseProxyServer("127.0.0.1:8888", host, port));
  EXPECT_FALSE(ParseProxyServer("127.0.0.10:8888", host, port));  // the prefix alone decides
  EXPECT_FALSE(ParseProxyServer("proxy.corp", host, port));
  EXPECT_FALSE(ParseProxyServer("a.b:80", host, port));  // ":" before position 7
  EXPECT_TRUE(ParseProxyServer("abcdefg:80", host, port));
  EXPECT_FALSE(ParseProxyServer("", host, port));
}

}  // namespace
