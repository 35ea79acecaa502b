#include "functions/dhcp_settings.h"

#include <gtest/gtest.h>

namespace {

using functions::DhcpSettings;
using functions::DhcpSettingsConfigured;

TEST(DhcpSettings, OnWithALeaseFromWhicheverServerTheNetworkHas) {
  EXPECT_TRUE(DhcpSettingsConfigured({1, "192.168.0.1", "192.168.0.23"}, "192.168.0.23"));
  EXPECT_TRUE(DhcpSettingsConfigured({1, "10.0.0.1", "10.0.0.23"}, "10.0.0.23"));
  EXPECT_TRUE(DhcpSettingsConfigured({1, "172.16.8.254", "172.16.9.4"}, "172.16.9.4"));
}

TEST(DhcpSettings, OffWithoutServerOrForAnotherAddressIsNot) {
  EXPECT_FALSE(DhcpSettingsConfigured({0, "10.0.0.1", "10.0.0.23"}, "10.0.0.23"));
  EXPECT_FALSE(DhcpSettingsConfigured({2, "10.0.0.1", "10.0.0.23"}, "10.0.0.23"));
  EXPECT_FALSE(DhcpSettingsConfigured({1, "", "10.0.0.23"}, "10.0.0.23"));
  EXPECT_FALSE(DhcpSettingsConfigured({1, "10.0.0.1", "10.0.0.23"}, "10.0.0.24"));
  EXPECT_FALSE(DhcpSettingsConfigured({1, "10.0.0.1", ""}, "10.0.0.23"));
  EXPECT_FALSE(DhcpSettingsConfigured({}, ""));
}

TEST(DhcpSettings, AnAdapterWithoutAddressNeedsOnlyTheSwitchAndAServer) {
  EXPECT_TRUE(DhcpSettingsConfigured({1, "10.0.0.1", "10.0.0.23"}, ""));
  EXPECT_TRUE(DhcpSettingsConfigured({1, "10.0.0.1", ""}, ""));
  EXPECT_FALSE(DhcpSettingsConfigured({1, "", ""}, ""));
  // No lease yet: the adapter list reports the empty address as 0.0.0.0.
  EXPECT_TRUE(DhcpSettingsConfigured({1, "255.255.255.255", "0.0.0.0"}, "0.0.0.0"));
  EXPECT_TRUE(DhcpSettingsConfigured({1, "10.0.0.1", "10.0.0.23"}, "0.0.0.0"));
  EXPECT_FALSE(DhcpSettingsConfigured({0, "10.0.0.1", "10.0.0.23"}, "0.0.0.0"));
}

}  // namespace
