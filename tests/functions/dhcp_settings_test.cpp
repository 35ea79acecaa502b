#include "functions/dhcp_settings.h"

#include <gtest/gtest.h>

namespace {

using functions::AddressConfiguration;
using functions::ClassifyAddressConfiguration;
using functions::DhcpSettings;
using functions::DhcpSettingsConfigured;

DhcpSettings Dhcp(const char* server, const char* lease) { return {true, 1, server, lease}; }

TEST(DhcpSettings, OnWithALeaseFromWhicheverServerTheNetworkHas) {
  EXPECT_TRUE(DhcpSettingsConfigured(Dhcp("192.168.0.1", "192.168.0.23"), "192.168.0.23"));
  EXPECT_TRUE(DhcpSettingsConfigured(Dhcp("10.0.0.1", "10.0.0.23"), "10.0.0.23"));
  EXPECT_TRUE(DhcpSettingsConfigured(Dhcp("172.16.8.254", "172.16.9.4"), "172.16.9.4"));
  // Not connected yet: the lease on record is all there is to judge.
  EXPECT_TRUE(DhcpSettingsConfigured(Dhcp("10.0.0.1", "10.0.0.23"), ""));
  EXPECT_TRUE(DhcpSettingsConfigured(Dhcp("10.0.0.1", "10.0.0.23"), "0.0.0.0"));
}

TEST(DhcpSettings, AStaticAddressIsConfiguredWhateverTheLeaseValuesSay) {
  // Left over from the days the adapter used DHCP, or never written: neither matters.
  EXPECT_EQ(ClassifyAddressConfiguration({true, 0, "", ""}, "192.168.1.20"),
            AddressConfiguration::kStatic);
  EXPECT_EQ(ClassifyAddressConfiguration({true, 0, "10.0.0.1", "10.0.0.23"}, "192.168.1.20"),
            AddressConfiguration::kStatic);
  EXPECT_TRUE(DhcpSettingsConfigured({true, 0, "", ""}, "192.168.1.20"));
  EXPECT_TRUE(DhcpSettingsConfigured({true, 0, "", ""}, ""));
}

TEST(DhcpSettings, ADhcpAdapterWithoutALeaseForItsAddressIsNot) {
  const std::pair<DhcpSettings, const char*> withoutLease[] = {
      {Dhcp("10.0.0.1", "10.0.0.23"), "10.0.0.24"},  // the lease is for another address
      {Dhcp("", "10.0.0.23"), "10.0.0.23"},
      {Dhcp("10.0.0.1", ""), "10.0.0.23"},
      {Dhcp("", ""), ""},
      // No server answered: the client notes the broadcast address and takes an automatic one.
      {Dhcp("255.255.255.255", "0.0.0.0"), "169.254.12.7"},
      {Dhcp("255.255.255.255", "0.0.0.0"), "0.0.0.0"},
      {Dhcp("10.0.0.1", "169.254.12.7"), "169.254.12.7"},
  };
  for (const auto& [settings, address] : withoutLease) {
    SCOPED_TRACE(std::string(settings.dhcpServer) + " " + settings.dhcpIpAddress + " " + address);
    EXPECT_EQ(ClassifyAddressConfiguration(settings, address), AddressConfiguration::kWithoutLease);
    EXPECT_FALSE(DhcpSettingsConfigured(settings, address));
  }
}

TEST(DhcpSettings, AMissingOrStrangeSwitchIsNotTakenForEither) {
  EXPECT_EQ(ClassifyAddressConfiguration({}, ""), AddressConfiguration::kUnreadable);
  EXPECT_EQ(ClassifyAddressConfiguration({false, 0, "10.0.0.1", "10.0.0.23"}, "10.0.0.23"),
            AddressConfiguration::kUnreadable);
  EXPECT_EQ(ClassifyAddressConfiguration({true, 2, "10.0.0.1", "10.0.0.23"}, "10.0.0.23"),
            AddressConfiguration::kUnreadable);
  EXPECT_FALSE(DhcpSettingsConfigured({}, ""));
}

}  // namespace
