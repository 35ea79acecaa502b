#include <gtest/gtest.h>

#include "network_standins.h"

namespace {

using functions::NetworkFlags;
using functions::NetworkRow;
using functions::NetworkSequence;
using functions::RowLook;
using test_support::RecordedPauses;
using test_support::StandInNetwork;
using test_support::StandInPage;
using Status = StandInPage::Status;

NetworkFlags AllFaulty() { return {false, false, false, false, false, false}; }

struct RepairRun {
  StandInNetwork machine;
  StandInPage page;
  NetworkFlags flags = AllFaulty();
  std::vector<unsigned> pauses;

  // The page as the check leaves it when it found faults.
  RepairRun() {
    page.check = {false, true};
    page.repair = {true, true};
  }
  void Repair() {
    NetworkSequence sequence(machine, page, flags, RecordedPauses(pauses));
    sequence.BeginRepair();
    EXPECT_FALSE(page.repair.enabled);
    EXPECT_FALSE(page.backEnabled);
    sequence.RunRepair();
  }
};

TEST(NetworkRepair, RepairsEveryFaultyRowInOrderAndLooksAtEachAgain) {
  RepairRun run;
  run.machine.dhcp.dhcpServer.clear();
  run.Repair();
  std::vector<Status> expected;
  for (NetworkRow row : {NetworkRow::kAdapter, NetworkRow::kDhcp, NetworkRow::kAddress,
                         NetworkRow::kDns, NetworkRow::kProxy}) {
    expected.push_back({row, L"修复中...", RowLook::kRunning});
    expected.push_back({row, L"已修复", RowLook::kGood});
  }
  expected.push_back({NetworkRow::kWeb, L"检测中...", RowLook::kRunning});
  expected.push_back({NetworkRow::kWeb, L"上网正常", RowLook::kGood});
  EXPECT_EQ(run.page.statuses, expected);
  std::vector<std::string> calls = {
      "FindPhysicalAdapter",
      "EnableAdapter 以太网",
      "FindPhysicalAdapter",
      "IsServiceRunning Dhcp",
      "GetAdapterAddress 12",
      "IsDhcpConfigured {5B2C7E0A-1111-2222-3333-444455556666} 10.20.0.57",
      "RenewLease 以太网",
      "GetAdapterAddress 12",
      "IsServiceRunning Dhcp",
      "IsDhcpConfigured {5B2C7E0A-1111-2222-3333-444455556666} 10.20.0.57",
      "RenewAddress",
      "ArpListing",
      "ReadDnsSettings {5B2C7E0A-1111-2222-3333-444455556666}",
      "SetPublicDns 以太网",
      "CanResolveNames",
      "DisableProxy",
      "ReadProxySettings",
      "CanReachWeb"};
  EXPECT_EQ(run.machine.calls, calls);
  EXPECT_TRUE(run.page.check.shown && run.page.check.enabled);
  EXPECT_FALSE(run.page.repair.shown);
  EXPECT_TRUE(run.page.repair.enabled);
  EXPECT_TRUE(run.page.backEnabled);
  // The flags are the check's; they stay until the next one.
  EXPECT_FALSE(run.flags.adapterOk || run.flags.dhcpOk || run.flags.addressOk || run.flags.dnsOk ||
               run.flags.proxyOk || run.flags.webOk);
}

// A repair that did not take is not reported as one: each row is looked at again.
TEST(NetworkRepair, ARepairThatDidNotTakeShowsTheRowsFaultAgain) {
  RepairRun run;
  run.flags = NetworkFlags{};
  run.flags.adapterOk = run.flags.addressOk = run.flags.proxyOk = false;
  run.machine.adapter.connectionStatus = "0";
  run.machine.enableBringsUp = false;
  run.machine.arpListing =
      "\r\nInterface: 10.20.0.57 --- 0xc\r\n  Internet Address      Physical Address      Type\r\n"
      "  10.20.0.1             11-22-33-44-55-66     dynamic\r\n  10.20.0.1             aa-bb-cc-dd-ee-ff     "
      "dynamic\r\n\r\nInterface: 127.0.0.1 --- 0x1\r\n";
  run.machine.renewClearsConflict = false;
  run.machine.proxy.enable = 1;
  run.machine.proxy.server = "127.0.0.1:1";
  run.machine.disablingWorks = false;
  run.Repair();
  EXPECT_EQ(run.page.Last(NetworkRow::kAdapter), L"物理网卡适配器状态异常");
  EXPECT_EQ(run.page.Last(NetworkRow::kProxy), L"代理服务器异常");
  for (const Status& shown : run.page.statuses) EXPECT_NE(shown.text, L"已修复") << static_cast<int>(shown.row);

  RepairRun works;
  works.flags = run.flags;
  works.machine.adapter.connectionStatus = "0";
  works.machine.proxy = run.machine.proxy;
  works.Repair();
  EXPECT_EQ(works.page.Last(NetworkRow::kAdapter), L"已修复");
  EXPECT_EQ(works.page.Last(NetworkRow::kAddress), L"已修复");
  EXPECT_EQ(works.page.Last(NetworkRow::kProxy), L"已修复");
}

TEST(NetworkRepair, TouchesOnlyTheRowsTheCheckFoundFaulty) {
  RepairRun run;
  run.flags = NetworkFlags{};
  run.flags.dnsOk = false;
  run.Repair();
  std::vector<Status> expected = {{NetworkRow::kDns, L"修复中...", RowLook::kRunning},
                                  {NetworkRow::kDns, L"已修复", RowLook::kGood}};
  EXPECT_EQ(run.page.statuses, expected);
  EXPECT_EQ(run.machine.calls,
            (std::vector<std::string>{"FindPhysicalAdapter",
                                      "ReadDnsSettings {5B2C7E0A-1111-2222-3333-444455556666}",
                                      "SetPublicDns 以太网", "CanResolveNames"}));
}

TEST(NetworkRepair, AWebStillUnreachableAfterTheRepairIsShown) {
  RepairRun run;
  run.flags = NetworkFlags{};
  run.flags.webOk = false;
  run.machine.web = false;
  run.Repair();
  EXPECT_EQ(run.page.statuses.back(), (Status{NetworkRow::kWeb, L"无法正常上网", RowLook::kFault}));
  EXPECT_TRUE(run.page.check.shown);
  EXPECT_FALSE(run.page.repair.shown);
}

TEST(NetworkRepair, RowsWithoutAStatusLabelAreSkipped) {
  RepairRun run;
  run.page.missingRows = {NetworkRow::kAddress, NetworkRow::kWeb};
  run.Repair();
  EXPECT_FALSE(run.machine.Called("RenewAddress"));
  EXPECT_FALSE(run.machine.Called("CanReachWeb"));
  EXPECT_TRUE(run.machine.Called("SetPublicDns"));
  for (const Status& shown : run.page.statuses) {
    EXPECT_NE(shown.row, NetworkRow::kAddress);
    EXPECT_NE(shown.row, NetworkRow::kWeb);
  }
}

TEST(NetworkRepair, WithoutAnAdapterOnlyThePromptIsShown) {
  RepairRun run;
  run.machine.adapterFound = false;
  run.Repair();
  EXPECT_EQ(
      run.page.statuses,
      (std::vector<Status>{{NetworkRow::kAdapter, L"未找到物理网卡适配器", RowLook::kFault}}));
  EXPECT_EQ(run.page.prompts,
            std::vector<std::wstring>{
                L"未找到物理网卡适配器|未找到物理网卡适配器，无法进行修复，请检查硬件是否正常"});
  EXPECT_EQ(run.machine.calls, std::vector<std::string>{"FindPhysicalAdapter"});
  EXPECT_TRUE(run.page.repair.shown && run.page.repair.enabled);
  EXPECT_TRUE(run.page.backEnabled);
}

TEST(NetworkRepair, CheckThenRepairOfAnUnpluggedCableOffersTheRepairAgain) {
  StandInNetwork machine;
  machine.adapter.connectionStatus = "7";
  StandInPage page;
  NetworkFlags flags;
  std::vector<unsigned> pauses;
  NetworkSequence sequence(machine, page, flags, RecordedPauses(pauses));
  sequence.ShowReady();
  sequence.BeginCheck();
  sequence.RunCheck();
  ASSERT_TRUE(page.repair.shown);
  sequence.BeginRepair();
  machine.calls.clear();
  page.statuses.clear();
  sequence.RunRepair();
  using Status = StandInPage::Status;
  EXPECT_EQ(page.statuses,
            (std::vector<Status>{
                {NetworkRow::kAdapter, L"网络未连接，请检查网线或WIFI连接", RowLook::kFault}}));
  EXPECT_EQ(page.prompts, std::vector<std::wstring>{
                              L"网络未连接|检测到网络未连接，请插好网线或连接WIFI后点击确定"});
  EXPECT_EQ(machine.calls, std::vector<std::string>{"FindPhysicalAdapter"});
  EXPECT_FALSE(page.check.shown);
  EXPECT_TRUE(page.check.enabled);
  EXPECT_TRUE(page.repair.shown && page.repair.enabled);
  EXPECT_TRUE(page.backEnabled);
  EXPECT_FALSE(flags.adapterOk);
}

TEST(NetworkRepair, AStoppedDhcpClientIsStartedAndGoodSettingsAreLeftAlone) {
  RepairRun run;
  run.flags = NetworkFlags{};
  run.flags.dhcpOk = false;
  run.machine.dhcpRunning = false;
  run.Repair();
  EXPECT_TRUE(run.machine.Called("StartServiceAndWait Dhcp"));
  EXPECT_FALSE(run.machine.Called("RenewLease"));
  EXPECT_EQ(run.page.Last(NetworkRow::kDhcp), L"已修复");
}

TEST(NetworkRepair, AStaticAddressStaysStaticThroughCheckAndRepair) {
  StandInNetwork machine;
  machine.dhcp = {true, 0, "", ""};
  machine.address = "192.168.1.20";
  machine.dhcpRunning = false;  // the only DHCP fault there is on this machine
  StandInPage page;
  NetworkFlags flags;
  std::vector<unsigned> pauses;
  NetworkSequence sequence(machine, page, flags, RecordedPauses(pauses));
  sequence.RunCheck();
  EXPECT_EQ(page.Last(NetworkRow::kDhcp), L"DHCP异常");
  machine.dhcpRunning = true;
  sequence.RunCheck();
  EXPECT_EQ(page.Last(NetworkRow::kDhcp), L"正常");
  EXPECT_TRUE(flags.dhcpOk);

  flags.dhcpOk = false;
  machine.dhcpRunning = false;
  sequence.RunRepair();
  EXPECT_TRUE(machine.Called("StartServiceAndWait Dhcp"));
  EXPECT_FALSE(machine.Called("RenewLease"));
  EXPECT_FALSE(machine.Called("RenewAddress"));
  EXPECT_EQ(machine.dhcp.enableDhcp, 0u);
}

TEST(NetworkRepair, ADhcpAdapterWithoutALeaseIsAskedToFetchOneByConnectionName) {
  RepairRun run;
  run.flags = NetworkFlags{};
  run.flags.dhcpOk = false;
  run.machine.dhcp.dhcpServer = "255.255.255.255";
  run.machine.dhcp.dhcpIpAddress = "0.0.0.0";
  run.machine.address = "169.254.7.9";
  run.Repair();
  EXPECT_FALSE(run.machine.Called("StartServiceAndWait"));
  EXPECT_TRUE(run.machine.Called("IsDhcpConfigured {5B2C7E0A-1111-2222-3333-444455556666} 169.254.7.9"));
  // ipconfig knows the adapter by its connection name; the other adapters keep their leases.
  EXPECT_TRUE(run.machine.Called("RenewLease 以太网"));
  EXPECT_FALSE(run.machine.Called("RenewAddress"));
  EXPECT_EQ(run.page.Last(NetworkRow::kDhcp), L"已修复");
}

TEST(NetworkRepair, ADhcpRepairIsLookedAtAgainAndAFailureShown) {
  auto repaired = [](auto change) {
    RepairRun run;
    run.flags = NetworkFlags{};
    run.flags.dhcpOk = false;
    change(run.machine);
    run.Repair();
    EXPECT_TRUE(run.page.check.shown && run.page.check.enabled);
    return std::make_pair(run.page.Last(NetworkRow::kDhcp), run.page.LastLook(NetworkRow::kDhcp));
  };
  const auto fault = std::make_pair(std::wstring(L"DHCP异常"), RowLook::kFault);
  // No server answers the renewal.
  EXPECT_EQ(repaired([](StandInNetwork& m) {
              m.dhcp.dhcpServer = "255.255.255.255";
              m.renewServer.clear();
            }),
            fault);
  // The service does not come up (disabled by policy, a broken dependency).
  EXPECT_EQ(repaired([](StandInNetwork& m) {
              m.dhcpRunning = false;
              m.dhcpStarts = false;
            }),
            fault);
  EXPECT_EQ(repaired([](StandInNetwork& m) { m.dhcpRunning = false; }),
            std::make_pair(std::wstring(L"已修复"), RowLook::kGood));
}

TEST(NetworkRepair, PublicDnsThatDoesNotHelpIsUndoneExactly) {
  const functions::DnsSettings automatic = [] {
    functions::DnsSettings dns;
    dns.read = true;
    dns.registrationEnabled = {true, 1};
    return dns;
  }();
  for (const functions::DnsSettings& before : {StandInNetwork().dns, automatic}) {
    RepairRun run;
    run.flags = NetworkFlags{};
    run.flags.dnsOk = false;
    run.machine.resolves = false;
    run.machine.resolvesWithPublicDns = false;
    run.machine.dns = before;
    run.Repair();
    EXPECT_EQ(run.machine.calls,
              (std::vector<std::string>{
                  "FindPhysicalAdapter", "ReadDnsSettings {5B2C7E0A-1111-2222-3333-444455556666}",
                  "SetPublicDns 以太网", "CanResolveNames",
                  "RestoreDnsSettings 以太网 {5B2C7E0A-1111-2222-3333-444455556666}"}));
    EXPECT_TRUE(run.machine.dns == before);
    // Looked at again and still faulty: not "已修复".
    EXPECT_EQ(run.page.statuses.back(), (Status{NetworkRow::kDns, L"DNS解析异常", RowLook::kFault}));
  }
}

TEST(NetworkRepair, PublicDnsThatHelpsIsKeptAndSettingsThatCannotBeKeptAreNotChanged) {
  RepairRun helps;
  helps.flags = NetworkFlags{};
  helps.flags.dnsOk = false;
  helps.machine.resolves = false;
  helps.Repair();
  EXPECT_FALSE(helps.machine.Called("RestoreDnsSettings"));
  EXPECT_EQ(helps.machine.dns.nameServer.value, "114.114.114.114");
  EXPECT_EQ(helps.page.Last(NetworkRow::kDns), L"已修复");
  EXPECT_EQ(helps.page.LastLook(NetworkRow::kDns), RowLook::kGood);

  RepairRun unreadable;
  unreadable.flags = NetworkFlags{};
  unreadable.flags.dnsOk = false;
  unreadable.machine.dns = functions::DnsSettings{};
  unreadable.Repair();
  EXPECT_FALSE(unreadable.machine.Called("SetPublicDns"));
  EXPECT_EQ(unreadable.page.Last(NetworkRow::kDns), L"DNS解析异常");
}

}  // namespace
