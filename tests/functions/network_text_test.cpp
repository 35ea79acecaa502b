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

TEST(ArpListing, RepeatsAfterTheLastHeaderAreNotExamined) {
  std::string listing = std::string(kArpHeader) + "  10.1.1.1 a\r\n  10.1.1.1 b\r\n";
  EXPECT_TRUE(ArpListingFreeOfConflicts(listing));
  EXPECT_FALSE(ArpListingFreeOfConflicts(""));
  EXPECT_FALSE(ArpListingFreeOfConflicts("\r\n\r\n"));
  // Not address lines: a first "." too far in, too few dots, no space after the address.
  EXPECT_TRUE(ArpListingFreeOfConflicts("1234.1.1.1 x\n1234.1.1.1 x\nhdr\n1.1.1 x\n1.1.1 x\nhdr\n"));
  EXPECT_FALSE(ArpListingFreeOfConflicts("1.2.3.4 x\n1.2.3.4 y\nhdr\n"));
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
