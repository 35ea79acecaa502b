#include "functions/dns_settings.h"

#include <gtest/gtest.h>

namespace {

using namespace functions;

DnsSettings Kept(const char* nameServer, long registration = -1, long adapterName = -1) {
  DnsSettings kept;
  kept.read = true;
  if (nameServer) kept.nameServer = {true, nameServer};
  if (registration >= 0) kept.registrationEnabled = {true, static_cast<unsigned long>(registration)};
  if (adapterName >= 0) kept.registerAdapterName = {true, static_cast<unsigned long>(adapterName)};
  return kept;
}

TEST(DnsRestore, ServersFromDhcpAreAskedForAgain) {
  EXPECT_EQ(DnsRestoreParameters("以太网", Kept("", 1, 1)),
            std::vector<std::string>{"interface ip set dns name=\"以太网\" source=dhcp register=both"});
  EXPECT_EQ(DnsRestoreParameters("以太网", Kept(nullptr)),
            std::vector<std::string>{"interface ip set dns name=\"以太网\" source=dhcp"});
}

TEST(DnsRestore, StaticServersComeBackInTheirOrder) {
  std::vector<std::string> expected = {
      "interface ip set dns name=\"Ethernet 2\" source=static addr=10.1.1.53 register=primary",
      "interface ip add dns name=\"Ethernet 2\" addr=10.1.2.53 index=2",
      "interface ip add dns name=\"Ethernet 2\" addr=fd00::53 index=3"};
  EXPECT_EQ(DnsRestoreParameters("Ethernet 2", Kept("10.1.1.53,10.1.2.53,fd00::53", 1, 0)), expected);
  // Windows has written both separators over the years.
  EXPECT_EQ(DnsRestoreParameters("Ethernet 2", Kept("10.1.1.53 10.1.2.53  fd00::53", 1, 0)),
            expected);
  EXPECT_EQ(DnsRestoreParameters("E", Kept("8.8.8.8", 0)),
            std::vector<std::string>{"interface ip set dns name=\"E\" source=static addr=8.8.8.8 register=none"});
}

TEST(DnsRestore, OnlyAddressesReachTheCommandLine) {
  EXPECT_EQ(NameServerList("10.0.0.1,\" & calc,10.0.0.2;x,fe80::1%12"),
            (std::vector<std::string>{"10.0.0.1", "fe80::1%12"}));
  EXPECT_TRUE(NameServerList("").empty());
  EXPECT_TRUE(NameServerList(" , ,").empty());
  // Nothing usable left: the servers came from DHCP as far as netsh can be told; the values
  // themselves are written back separately.
  EXPECT_EQ(DnsRestoreParameters("E", Kept("dns.corp")),
            std::vector<std::string>{"interface ip set dns name=\"E\" source=dhcp"});
}

}  // namespace
