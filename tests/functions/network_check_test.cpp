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

struct CheckRun {
  StandInNetwork machine;
  StandInPage page;
  NetworkFlags flags;
  std::vector<unsigned> pauses;

  void Check() {
    NetworkSequence sequence(machine, page, flags, RecordedPauses(pauses));
    sequence.BeginCheck();
    EXPECT_FALSE(page.check.enabled);
    EXPECT_FALSE(page.backEnabled);
    sequence.RunCheck();
  }
};

TEST(NetworkCheck, AHealthyMachineShowsEveryRowGoodInOrderAndOffersNoRepair) {
  CheckRun run;
  run.flags.dnsOk = false;  // left over from an earlier check: every check starts afresh
  run.Check();
  std::vector<Status> expected = {{NetworkRow::kAdapter, L"检测中...", RowLook::kRunning},
                                  {NetworkRow::kAdapter, L"正常", RowLook::kGood}};
  for (NetworkRow row :
       {NetworkRow::kDhcp, NetworkRow::kAddress, NetworkRow::kDns, NetworkRow::kProxy}) {
    expected.push_back({row, L"检测中...", RowLook::kRunning});
    expected.push_back({row, L"正常", RowLook::kGood});
  }
  expected.push_back({NetworkRow::kWeb, L"检测中...", RowLook::kRunning});
  expected.push_back({NetworkRow::kWeb, L"上网正常", RowLook::kGood});
  EXPECT_EQ(run.page.statuses, expected);
  // The program's own pause before each of the five probes.
  EXPECT_EQ(run.pauses, std::vector<unsigned>(5, 1000));
  EXPECT_TRUE(run.page.check.shown && run.page.check.enabled);
  EXPECT_FALSE(run.page.repair.shown);
  EXPECT_TRUE(run.page.backEnabled);
  EXPECT_TRUE(run.flags.adapterOk && run.flags.dhcpOk && run.flags.addressOk && run.flags.dnsOk &&
              run.flags.proxyOk && run.flags.webOk);
  // The proxy is off: it is not probed.
  EXPECT_FALSE(run.machine.Called("IsProxyWorking"));
}

TEST(NetworkCheck, WithoutAPciAdapterItStopsAfterTheFirstRow) {
  CheckRun run;
  run.machine.adapterFound = false;
  run.Check();
  std::vector<Status> expected = {
      {NetworkRow::kAdapter, L"检测中...", RowLook::kRunning},
      {NetworkRow::kAdapter, L"未找到物理网卡适配器，检测终止", RowLook::kFault}};
  EXPECT_EQ(run.page.statuses, expected);
  EXPECT_EQ(run.machine.calls, std::vector<std::string>{"FindPhysicalAdapter"});
  EXPECT_TRUE(run.pauses.empty());
  EXPECT_FALSE(run.flags.adapterOk);
  EXPECT_TRUE(run.page.check.shown && run.page.check.enabled);
  EXPECT_FALSE(run.page.repair.shown);
  EXPECT_TRUE(run.page.backEnabled);
}

TEST(NetworkCheck, EveryAdapterStatusButConnectedIsAFaultThatOffersTheRepair) {
  const std::pair<const char*, const wchar_t*> cases[] = {
      {"7", L"网络未连接，请检查网线或WIFI连接"},
      {"0", L"物理网卡适配器被禁用"},
      {"5", L"物理网卡适配器状态异常"},
      {"20", L"物理网卡适配器状态异常"},
  };
  for (const auto& [status, text] : cases) {
    SCOPED_TRACE(status);
    CheckRun run;
    run.machine.adapter.connectionStatus = status;
    run.Check();
    ASSERT_GE(run.page.statuses.size(), 2u);
    EXPECT_EQ(run.page.statuses[1], (Status{NetworkRow::kAdapter, text, RowLook::kFault}));
    EXPECT_FALSE(run.flags.adapterOk);
    // The other rows are still checked.
    EXPECT_EQ(run.page.Last(NetworkRow::kWeb), L"上网正常");
    EXPECT_FALSE(run.page.check.shown);
    EXPECT_TRUE(run.page.repair.shown && run.page.repair.enabled);
    EXPECT_TRUE(run.page.backEnabled);
  }
}

TEST(NetworkCheck, DhcpOnWithALeaseFromAnyServerIsGood) {
  CheckRun run;
  run.Check();
  EXPECT_EQ(run.page.Last(NetworkRow::kDhcp), L"正常");
  // The adapter's own address is what the lease must be for.
  EXPECT_TRUE(run.machine.Called("GetAdapterAddress 12"));
  EXPECT_TRUE(
      run.machine.Called("IsDhcpConfigured {5B2C7E0A-1111-2222-3333-444455556666} 10.20.0.57"));
}

TEST(NetworkCheck, AStaticAddressWithTheDhcpClientRunningIsGood) {
  CheckRun run;
  run.machine.dhcp = {true, 0, "", ""};
  run.machine.address = "192.168.1.20";
  run.Check();
  EXPECT_EQ(run.page.Last(NetworkRow::kDhcp), L"正常");
  EXPECT_TRUE(run.flags.dhcpOk);
  EXPECT_FALSE(run.page.repair.shown);
}

TEST(NetworkCheck, DhcpStoppedUnreadableOrWithoutLeaseIsAFault) {
  auto dhcpRow = [](auto change) {
    CheckRun run;
    change(run.machine);
    run.Check();
    EXPECT_TRUE(run.page.repair.shown) << "the repair is offered";
    return std::make_pair(run.page.Last(NetworkRow::kDhcp), run.flags.dhcpOk);
  };
  auto fault = std::make_pair(std::wstring(L"DHCP异常"), false);
  EXPECT_EQ(dhcpRow([](StandInNetwork& m) { m.dhcp.enableDhcpRead = false; }), fault);
  EXPECT_EQ(dhcpRow([](StandInNetwork& m) {
              m.dhcp = {true, 0, "", ""};
              m.dhcpRunning = false;
            }),
            fault);
  EXPECT_EQ(dhcpRow([](StandInNetwork& m) { m.dhcpRunning = false; }), fault);
  EXPECT_EQ(dhcpRow([](StandInNetwork& m) { m.dhcp.dhcpServer.clear(); }), fault);
  EXPECT_EQ(dhcpRow([](StandInNetwork& m) { m.dhcp.dhcpIpAddress = "10.20.0.99"; }), fault);
}

TEST(NetworkCheck, AnArpConflictUnderOneInterfaceIsAnAddressFault) {
  const char header[] =
      "\r\nInterface: 192.168.1.5 --- 0xc\r\n  Internet Address      Physical Address      "
      "Type\r\n";
  const char entry[] = "  192.168.1.1           11-22-33-44-55-66     dynamic\r\n";
  CheckRun conflict;
  conflict.machine.arpListing = std::string(header) + entry + entry + header;
  conflict.Check();
  EXPECT_EQ(conflict.page.Last(NetworkRow::kAddress), L"IP地址异常");
  EXPECT_EQ(conflict.page.LastLook(NetworkRow::kAddress), RowLook::kFault);
  EXPECT_FALSE(conflict.flags.addressOk);
  EXPECT_TRUE(conflict.page.repair.shown);

  CheckRun twoInterfaces;
  twoInterfaces.machine.arpListing = std::string(header) + entry + header + entry + header;
  twoInterfaces.Check();
  EXPECT_EQ(twoInterfaces.page.Last(NetworkRow::kAddress), L"正常");
  EXPECT_FALSE(twoInterfaces.page.repair.shown);

  // The chosen adapter (10.20.0.57) holds the repeat in its own section, the last one after a
  // VPN's: the row names it. A repeat under the VPN's adapter alone keeps the general text.
  const char vpn[] = "\r\nInterface: 10.8.0.6 --- 0xe\r\n  Internet Address      Physical Address      Type\r\n";
  const char own[] = "\r\nInterface: 10.20.0.57 --- 0xc\r\n  Internet Address      Physical Address      Type\r\n";
  const char gateway[] = "  10.20.0.1             11-22-33-44-55-66     dynamic\r\n";
  const char vpnPeer[] = "  10.8.0.5              00-ff-3c-1a-77-02     dynamic\r\n";
  CheckRun ownSection;
  ownSection.machine.arpListing = std::string(vpn) + vpnPeer + own + gateway + gateway;
  ownSection.Check();
  EXPECT_EQ(ownSection.page.Last(NetworkRow::kAddress), L"IP地址冲突（网卡 10.20.0.57）");
  EXPECT_FALSE(ownSection.flags.addressOk);
  CheckRun vpnSection;
  vpnSection.machine.arpListing = std::string(vpn) + vpnPeer + vpnPeer + own + gateway;
  vpnSection.Check();
  EXPECT_EQ(vpnSection.page.Last(NetworkRow::kAddress), L"IP地址异常");

  // Nothing listed at all proves nothing.
  CheckRun empty;
  empty.machine.arpListing.clear();
  empty.Check();
  EXPECT_EQ(empty.page.Last(NetworkRow::kAddress), L"IP地址异常");
}

TEST(NetworkCheck, ADnsFailureIsAFault) {
  CheckRun run;
  run.machine.resolves = false;
  run.Check();
  EXPECT_EQ(run.page.Last(NetworkRow::kDns), L"DNS解析异常");
  EXPECT_FALSE(run.flags.dnsOk);
  EXPECT_TRUE(run.page.repair.shown);
}

TEST(NetworkCheck, TheProxyIsJudgedOnlyWhenItIsSwitchedOn) {
  auto proxyRow = [](unsigned long enable, const std::string& server, bool answers = true) {
    CheckRun run;
    run.machine.proxy = {enable, server};
    run.machine.proxyAnswers = answers;
    run.Check();
    EXPECT_EQ(run.page.repair.shown, !run.flags.proxyOk);
    return run.page.Last(NetworkRow::kProxy);
  };
  EXPECT_EQ(proxyRow(1, "127.0.0.1:8888"), L"代理服务器异常");
  EXPECT_EQ(proxyRow(1, "proxy.corp"), L"代理服务器异常");  // no ":"
  EXPECT_EQ(proxyRow(1, "a.b.c:80"), L"代理服务器异常");    // ":" before position 7
  EXPECT_EQ(proxyRow(1, "proxy.corp:3128", false), L"代理服务器异常");
  EXPECT_EQ(proxyRow(1, "proxy.corp:3128"), L"正常");
  EXPECT_EQ(proxyRow(0, "127.0.0.1:8888"), L"正常");
  EXPECT_EQ(proxyRow(0, ""), L"正常");
  EXPECT_EQ(proxyRow(2, "127.0.0.1:8888"), L"正常");  // only the value 1 switches it on
  // One proxy per protocol is a proxy like any other.
  EXPECT_EQ(proxyRow(1, "http=proxy.corp:80;https=proxy.corp:443"), L"正常");
  EXPECT_EQ(proxyRow(1, "http=proxy.corp:80;https=proxy.corp:443;socks=socks.corp:1080"), L"正常");
  EXPECT_EQ(proxyRow(1, "socks=socks.corp:1080"), L"正常");
  EXPECT_EQ(proxyRow(1, "http=proxy.corp:80;https=proxy.corp:443", false), L"代理服务器异常");
}

TEST(NetworkCheck, OnlyTheWebFailingLeavesTheCheckButtonAndOffersNoRepair) {
  CheckRun run;
  run.machine.web = false;
  run.Check();
  EXPECT_EQ(run.page.statuses.back(), (Status{NetworkRow::kWeb, L"无法正常上网", RowLook::kFault}));
  EXPECT_FALSE(run.flags.webOk);
  EXPECT_TRUE(run.page.check.shown && run.page.check.enabled);
  EXPECT_FALSE(run.page.repair.shown);
  EXPECT_TRUE(run.page.backEnabled);
}

}  // namespace
