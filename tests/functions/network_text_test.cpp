#include "functions/network_text.h"

#include <gtest/gtest.h>

namespace {

using namespace functions;

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

TEST(ArpListing, TheLastSectionIsExaminedToo) {
  std::string listing = std::string(kArpHeader) + "  10.1.1.1 a\r\n  10.1.1.1 b\r\n";
  EXPECT_FALSE(ArpListingFreeOfConflicts(listing));
  EXPECT_FALSE(ArpListingFreeOfConflicts(""));
  EXPECT_FALSE(ArpListingFreeOfConflicts("\r\n\r\n"));
  // Not address lines: a first "." too far in, too few dots, no space after the address.
  EXPECT_TRUE(ArpListingFreeOfConflicts("1234.1.1.1 x\n1234.1.1.1 x\nhdr\n1.1.1 x\n1.1.1 x\nhdr\n"));
  EXPECT_FALSE(ArpListingFreeOfConflicts("1.2.3.4 x\n1.2.3.4 y\nhdr\n"));
  EXPECT_FALSE(ArpListingFreeOfConflicts("1.2.3.4 x\n1.2.3.4 y"));
}

// The shape of `arp -a` on an English Windows 10 laptop with Wi-Fi, a VirtualBox host-only
// adapter and an OpenVPN TAP adapter: one section per adapter, the physical one last.
const char kThreeAdapters[] =
    "\r\n"
    "Interface: 192.168.56.1 --- 0x9\r\n"
    "  Internet Address      Physical Address      Type\r\n"
    "  192.168.56.255        ff-ff-ff-ff-ff-ff     static\r\n"
    "  224.0.0.22            01-00-5e-00-00-16     static\r\n"
    "\r\n"
    "Interface: 10.8.0.6 --- 0xe\r\n"
    "  Internet Address      Physical Address      Type\r\n"
    "  10.8.0.5              00-ff-3c-1a-77-02     dynamic\r\n"
    "  224.0.0.22            01-00-5e-00-00-16     static\r\n"
    "\r\n"
    "Interface: 192.168.1.23 --- 0x12\r\n"
    "  Internet Address      Physical Address      Type\r\n"
    "  192.168.1.1           a4-91-b1-0c-22-10     dynamic\r\n"
    "  192.168.1.1           3c-7c-3f-55-01-9e     dynamic\r\n"
    "  192.168.1.255         ff-ff-ff-ff-ff-ff     static\r\n"
    "  224.0.0.22            01-00-5e-00-00-16     static\r\n";

TEST(ArpListing, EverySectionIsReadWithTheInterfaceItBelongsTo) {
  std::vector<ArpSection> sections = ReadArpListing(kThreeAdapters);
  ASSERT_EQ(sections.size(), 3u);
  EXPECT_EQ(sections[0].interfaceAddress, "192.168.56.1");
  EXPECT_FALSE(sections[0].repeatedAddress);
  EXPECT_EQ(sections[1].interfaceAddress, "10.8.0.6");
  EXPECT_FALSE(sections[1].repeatedAddress);
  // The same multicast address under every adapter is no conflict; the gateway twice under the
  // physical adapter is, though that section comes last.
  EXPECT_EQ(sections[2].interfaceAddress, "192.168.1.23");
  EXPECT_TRUE(sections[2].repeatedAddress);
  EXPECT_FALSE(ArpListingFreeOfConflicts(kThreeAdapters));
}

TEST(ArpListing, AChineseSystemsHeadersNameTheirInterfacesAlike) {
  // "接口" and "Internet 地址" in code page 936, as a Chinese Windows writes them.
  const std::string listing =
      "\r\n\xbd\xd3\xbf\xda: 192.168.0.105 --- 0x7\r\n"
      "  Internet \xb5\xd8\xd6\xb7         \xce\xef\xc0\xed\xb5\xd8\xd6\xb7              \xc0\xe0\xd0\xcd\r\n"
      "  192.168.0.1           c8-3a-35-11-22-33     \xb6\xaf\xcc\xac\r\n"
      "  192.168.0.255         ff-ff-ff-ff-ff-ff     \xbe\xb2\xcc\xac\r\n";
  std::vector<ArpSection> sections = ReadArpListing(listing);
  ASSERT_EQ(sections.size(), 1u);
  EXPECT_EQ(sections[0].interfaceAddress, "192.168.0.105");
  EXPECT_FALSE(sections[0].repeatedAddress);
  EXPECT_TRUE(ArpListingFreeOfConflicts(listing));
}

TEST(ProxyServerText, OneProxyForEveryProtocolIsHostAndPortOrAFault) {
  ProxyEndpoint proxy;
  ASSERT_TRUE(ParseProxyServer("proxy.corp:8080", proxy));
  EXPECT_EQ(proxy.host, "proxy.corp");
  EXPECT_EQ(proxy.port, 8080);
  EXPECT_FALSE(proxy.socks);
  ASSERT_TRUE(ParseProxyServer("10.0.0.1:3128x", proxy));
  EXPECT_EQ(proxy.port, 3128);
  EXPECT_FALSE(ParseProxyServer("127.0.0.1:8888", proxy));
  EXPECT_FALSE(ParseProxyServer("127.0.0.10:8888", proxy));  // the prefix alone decides
  EXPECT_FALSE(ParseProxyServer("proxy.corp", proxy));
  EXPECT_FALSE(ParseProxyServer("a.b:80", proxy));  // ":" before position 7
  EXPECT_TRUE(ParseProxyServer("abcdefg:80", proxy));
  EXPECT_FALSE(ParseProxyServer("", proxy));
}

TEST(ProxyServerText, APerProtocolListIsReadForTheEntryWebRequestsTake) {
  struct Case {
    const char* text;
    const char* host;
    int port;
    bool socks;
  };
  const Case cases[] = {
      {"http=webproxy.corp:80;https=secureproxy.corp:443", "secureproxy.corp", 443, false},
      {"https=secureproxy.corp:443;http=webproxy.corp:80", "secureproxy.corp", 443, false},
      {"http=webproxy.corp:80", "webproxy.corp", 80, false},
      {"ftp=ftpproxy.corp:21;http=webproxy.corp:8080", "webproxy.corp", 8080, false},
      {"socks=socksproxy.corp:1080", "socksproxy.corp", 1080, true},
      // A web entry wins over SOCKS, which serves only the protocols without their own.
      {"socks=socksproxy.corp:1080;http=webproxy.corp:80", "webproxy.corp", 80, false},
      {"http=webproxy.corp:80;https=secureproxy.corp:443;ftp=ftpproxy.corp:21;"
       "socks=socksproxy.corp:1080",
       "secureproxy.corp", 443, false},
      // Spaces separate entries too, and the protocol's case does not matter.
      {"HTTP=webproxy.corp:80 HTTPS=secureproxy.corp:8443", "secureproxy.corp", 8443, false},
      {"http=webproxy.corp:80;", "webproxy.corp", 80, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    ProxyEndpoint proxy;
    ASSERT_TRUE(ParseProxyServer(c.text, proxy));
    EXPECT_EQ(proxy.host, c.host);
    EXPECT_EQ(proxy.port, c.port);
    EXPECT_EQ(proxy.socks, c.socks);
  }
}

TEST(ProxyServerText, APerProtocolListWithoutAUsableWebEntryIsAFault) {
  ProxyEndpoint proxy;
  EXPECT_FALSE(ParseProxyServer("ftp=ftpproxy.corp:21", proxy));
  EXPECT_FALSE(ParseProxyServer("https=127.0.0.1:8443;http=webproxy.corp:80", proxy));
  EXPECT_FALSE(ParseProxyServer("https=secureproxy.corp", proxy));  // no port
  EXPECT_FALSE(ParseProxyServer("https=a.b:443", proxy));           // ":" before position 7
  EXPECT_FALSE(ParseProxyServer("=;=;", proxy));
  EXPECT_FALSE(ParseProxyServer("https=", proxy));
}

}  // namespace
