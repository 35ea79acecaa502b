// The DHCP and proxy values in the real registry of the test prefix, and the service manager.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "functions/network_sequence.h"
#include "functions/network_tools.h"
#include "network_standins.h"
#include "platform/registry.h"
#include "wine_path.h"

namespace {

using functions::NetworkTools;

const char kGuid[] = "{7E57AB1E-0000-4000-8000-0000000000AA}";

// The adapter's TCP/IP key, made for the test and removed after it.
class InterfaceKey : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = std::string(functions::kInterfacesKey) + "\\" + kGuid;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &key_, nullptr),
              ERROR_SUCCESS);
  }
  void TearDown() override {
    RegCloseKey(key_);
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, path_.c_str());
  }
  void SetDword(const char* name, DWORD value) {
    RegSetValueExA(key_, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
  }
  void SetText(const char* name, const std::string& text) {
    RegSetValueExA(key_, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>(text.size() + 1));
  }
  bool HasValue(const char* name) {
    return RegQueryValueExA(key_, name, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
  }
  DWORD Dword(const char* name) {
    DWORD value = 0xFFFFFFFF;
    DWORD size = sizeof value;
    RegQueryValueExA(key_, name, nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size);
    return value;
  }
  std::string Text(const char* name) {
    return platform::ReadRegistryText(HKEY_LOCAL_MACHINE, path_.c_str(), name, 512);
  }
  void Lease(const std::string& server, const std::string& address) {
    SetDword("EnableDHCP", 1);
    SetText("DhcpServer", server);
    SetText("DhcpIPAddress", address);
  }

  std::string path_;
  HKEY key_ = nullptr;
  NetworkTools tools_;
};

TEST_F(InterfaceKey, ALeaseFromAnyServerForTheAdaptersAddressIsConfigured) {
  Lease("10.20.0.1", "10.20.0.57");
  EXPECT_TRUE(tools_.IsDhcpConfigured(kGuid, "10.20.0.57"));
  EXPECT_TRUE(tools_.IsDhcpConfigured(kGuid, ""));
  EXPECT_FALSE(tools_.IsDhcpConfigured(kGuid, "10.20.0.58"));
  functions::DhcpSettings read = NetworkTools::ReadDhcpSettings(kGuid);
  EXPECT_EQ(read.enableDhcp, 1u);
  EXPECT_EQ(read.dhcpServer, "10.20.0.1");
  EXPECT_EQ(read.dhcpIpAddress, "10.20.0.57");
}

TEST_F(InterfaceKey, DhcpWithoutServerOrAMissingSwitchIsNotConfiguredButStaticIs) {
  Lease("10.20.0.1", "10.20.0.57");
  RegDeleteValueA(key_, "DhcpServer");
  EXPECT_FALSE(tools_.IsDhcpConfigured(kGuid, "10.20.0.57"));
  // A static address has no lease to hold, whatever an old one left behind.
  SetDword("EnableDHCP", 0);
  EXPECT_TRUE(tools_.IsDhcpConfigured(kGuid, "10.20.0.57"));
  // A switch stored as text is not a switch, and no switch is not a static address.
  Lease("10.20.0.1", "10.20.0.57");
  SetText("EnableDHCP", "1");
  EXPECT_FALSE(NetworkTools::ReadDhcpSettings(kGuid).enableDhcpRead);
  EXPECT_FALSE(tools_.IsDhcpConfigured(kGuid, "10.20.0.57"));
  RegDeleteValueA(key_, "EnableDHCP");
  EXPECT_FALSE(tools_.IsDhcpConfigured(kGuid, "10.20.0.57"));
  EXPECT_FALSE(tools_.IsDhcpConfigured("{00000000-0000-0000-0000-000000000000}", ""));
}

// The real tools on the test key, with what the prefix cannot give replaced: the adapter
// (Wine's adapters have no key of ours), the DHCP client service (Wine has none) and name
// resolution. Console tools are written down, not run; netsh's DNS change is played on the
// registry as Windows' netsh makes it.
class KeyedTools : public NetworkTools {
 public:
  bool dhcpRunning = true;
  bool resolves = false;
  std::string address = "192.168.1.20";
  std::vector<std::string> commands;

  bool FindPhysicalAdapter(functions::AdapterInfo& info) override {
    info = {"Test adapter", "12", "Test Ethernet", kGuid, "2"};
    return true;
  }
  std::string GetAdapterAddress(const std::string&) override { return address; }
  bool IsServiceRunning(const char*) override { return dhcpRunning; }
  void StartServiceAndWait(const char*) override {
    commands.push_back("start Dhcp");
    dhcpRunning = true;
  }
  bool CanResolveNames() override { return resolves; }
  std::string ArpListing() override { return "Interface: 10.0.0.2 --- 0x5\r\n  10.0.0.1  aa-bb-cc-dd-ee-ff  dynamic\r\n"; }
  bool CanReachWeb() override { return true; }
  void RunAndWait(const char* program, const std::string& parameters) override {
    commands.push_back(std::string(program) + " " + parameters);
    if (parameters.find("addr=114.114.114.114 register=primary") == std::string::npos) return;
    std::string path = std::string(functions::kInterfacesKey) + "\\" + kGuid;
    platform::WriteRegistryText(HKEY_LOCAL_MACHINE, path.c_str(), "NameServer", "114.114.114.114");
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS)
      return;
    const DWORD on = 1, off = 0;
    RegSetValueExA(key, "RegistrationEnabled", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&on), 4);
    RegSetValueExA(key, "RegisterAdapterName", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&off), 4);
    RegCloseKey(key);
  }
  bool Ran(const std::string& text) const {
    for (const std::string& command : commands)
      if (command.find(text) != std::string::npos) return true;
    return false;
  }
};

struct SequenceRun {
  explicit SequenceRun(KeyedTools& tools)
      : sequence(tools, page, flags, [] {
          functions::NetworkPauses none;
          none.sleep = [](unsigned) {};
          return none;
        }()) {}
  test_support::StandInPage page;
  functions::NetworkFlags flags;
  functions::NetworkSequence sequence;
};

TEST_F(InterfaceKey, AStaticAddressStaysStaticThroughCheckAndRepair) {
  SetDword("EnableDHCP", 0);
  SetText("IPAddress", "192.168.1.20");
  KeyedTools tools;
  tools.resolves = true;
  SequenceRun run(tools);
  run.sequence.RunCheck();
  EXPECT_EQ(run.page.Last(functions::NetworkRow::kDhcp), L"正常");
  EXPECT_TRUE(run.flags.dhcpOk);

  // With the client stopped the row is a fault; the repair starts it and leaves the rest.
  tools.dhcpRunning = false;
  run.sequence.RunCheck();
  ASSERT_FALSE(run.flags.dhcpOk);
  run.sequence.RunRepair();
  EXPECT_EQ(tools.commands, std::vector<std::string>{"start Dhcp"});
  EXPECT_EQ(run.page.Last(functions::NetworkRow::kDhcp), L"已修复");
  EXPECT_EQ(Dword("EnableDHCP"), 0u);
  EXPECT_EQ(Text("IPAddress"), "192.168.1.20");
  EXPECT_FALSE(HasValue("DhcpServer"));
  EXPECT_TRUE(tools.IsDhcpConfigured(kGuid, "192.168.1.20"));
}

TEST_F(InterfaceKey, ADhcpAdapterWithoutALeaseIsAFaultAndOnlyItsLeaseIsRenewed) {
  Lease("255.255.255.255", "0.0.0.0");
  KeyedTools tools;
  tools.address = "169.254.20.7";
  SequenceRun run(tools);
  run.sequence.RunCheck();
  EXPECT_EQ(run.page.Last(functions::NetworkRow::kDhcp), L"DHCP异常");
  ASSERT_FALSE(run.flags.dhcpOk);
  run.sequence.RunRepair();
  EXPECT_EQ(tools.commands.front(), "ipconfig.exe /renew \"Test Ethernet\"");
  EXPECT_EQ(Dword("EnableDHCP"), 1u);
  // The renewal was only written down here, so the values still show no lease: said so.
  EXPECT_EQ(run.page.Last(functions::NetworkRow::kDhcp), L"DHCP异常");
  EXPECT_EQ(run.page.LastLook(functions::NetworkRow::kDhcp), functions::RowLook::kFault);
}

TEST_F(InterfaceKey, DnsSettingsAreKeptAndPutBackExactlyWhenNamesStillFail) {
  SetText("NameServer", "10.1.1.53,10.1.2.53");
  SetDword("RegistrationEnabled", 1);
  SetDword("RegisterAdapterName", 1);
  KeyedTools tools;
  SequenceRun run(tools);
  run.flags.dnsOk = false;
  run.sequence.RunRepair();
  EXPECT_EQ(Text("NameServer"), "10.1.1.53,10.1.2.53");
  EXPECT_EQ(Dword("RegistrationEnabled"), 1u);
  EXPECT_EQ(Dword("RegisterAdapterName"), 1u);
  EXPECT_EQ(tools.commands,
            (std::vector<std::string>{
                "netsh.exe interface ip set dns name=\"Test Ethernet\" source=static "
                "addr=114.114.114.114 register=primary",
                "ipconfig.exe /flushdns",
                "netsh.exe interface ip set dns name=\"Test Ethernet\" source=static addr=10.1.1.53 "
                "register=both",
                "netsh.exe interface ip add dns name=\"Test Ethernet\" addr=10.1.2.53 index=2",
                "ipconfig.exe /flushdns"}));
  EXPECT_EQ(run.page.Last(functions::NetworkRow::kDns), L"DNS解析异常");
}

TEST_F(InterfaceKey, ServersFromDhcpAreAskedForAgainAndValuesThatWereAbsentGoAgain) {
  SetText("NameServer", "");
  KeyedTools tools;
  const functions::DnsSettings before = tools.ReadDnsSettings(kGuid);
  ASSERT_TRUE(before.read);
  SequenceRun run(tools);
  run.flags.dnsOk = false;
  run.sequence.RunRepair();
  EXPECT_TRUE(tools.Ran("netsh.exe interface ip set dns name=\"Test Ethernet\" source=dhcp"));
  EXPECT_TRUE(tools.ReadDnsSettings(kGuid) == before);
  EXPECT_EQ(Text("NameServer"), "");
  EXPECT_FALSE(HasValue("RegistrationEnabled"));
  EXPECT_FALSE(HasValue("RegisterAdapterName"));

  // When the public server helps, it stays.
  tools.commands.clear();
  tools.resolves = true;
  run.sequence.RunRepair();
  EXPECT_EQ(Text("NameServer"), "114.114.114.114");
  EXPECT_FALSE(tools.Ran("source=dhcp"));
  EXPECT_EQ(run.page.Last(functions::NetworkRow::kDns), L"已修复");
}

// The current user's Internet Settings, restored afterwards.
class InternetSettings : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, functions::kInternetSettingsKey, 0, nullptr, 0,
                              KEY_ALL_ACCESS, nullptr, &key_, nullptr),
              ERROR_SUCCESS);
    savedServer_ = platform::ReadRegistryText(HKEY_CURRENT_USER, functions::kInternetSettingsKey,
                                              "ProxyServer", 100);
    DWORD size = sizeof savedEnable_;
    hadEnable_ = RegQueryValueExA(key_, "ProxyEnable", nullptr, nullptr,
                                  reinterpret_cast<BYTE*>(&savedEnable_), &size) == ERROR_SUCCESS;
  }
  void TearDown() override {
    if (hadEnable_)
      SetEnable(savedEnable_);
    else
      RegDeleteValueA(key_, "ProxyEnable");
    RegSetValueExA(key_, "ProxyServer", 0, REG_SZ,
                   reinterpret_cast<const BYTE*>(savedServer_.c_str()),
                   static_cast<DWORD>(savedServer_.size() + 1));
    RegCloseKey(key_);
  }
  void SetEnable(DWORD value) {
    RegSetValueExA(key_, "ProxyEnable", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                   sizeof value);
  }

  HKEY key_ = nullptr;
  std::string savedServer_;
  DWORD savedEnable_ = 0;
  bool hadEnable_ = false;
};

TEST_F(InternetSettings, TheSwitchAndTheServerAreRead) {
  SetEnable(1);
  ASSERT_EQ(platform::WriteRegistryText(HKEY_CURRENT_USER, functions::kInternetSettingsKey,
                                        "ProxyServer", "proxy.corp:3128"),
            ERROR_SUCCESS);
  functions::ProxySettings proxy = NetworkTools().ReadProxySettings();
  EXPECT_EQ(proxy.enable, 1u);
  EXPECT_EQ(proxy.server, "proxy.corp:3128");
  RegDeleteValueA(key_, "ProxyEnable");
  EXPECT_EQ(NetworkTools().ReadProxySettings().enable, 0u);
}

TEST_F(InternetSettings, APerProtocolServerListLongerThanAHundredBytesIsReadWhole) {
  SetEnable(1);
  const std::string list =
      "http=proxy-for-web.headquarters.example.corp:8080;https=proxy-for-web.headquarters.example."
      "corp:8443;ftp=ftp-gateway.headquarters.example.corp:2121;socks=socks.example.corp:1080";
  ASSERT_GT(list.size(), 100u);
  ASSERT_EQ(platform::WriteRegistryText(HKEY_CURRENT_USER, functions::kInternetSettingsKey,
                                        "ProxyServer", list),
            ERROR_SUCCESS);
  functions::ProxySettings proxy = NetworkTools().ReadProxySettings();
  EXPECT_EQ(proxy.server, list);
  functions::ProxyEndpoint endpoint;
  ASSERT_TRUE(functions::ParseProxyServer(proxy.server, endpoint));
  EXPECT_EQ(endpoint.host, "proxy-for-web.headquarters.example.corp");
  EXPECT_EQ(endpoint.port, 8443);
}

TEST_F(InternetSettings, DisablingTheProxyClearsOnlyTheSwitchThenPauses) {
  SetEnable(1);
  platform::WriteRegistryText(HKEY_CURRENT_USER, functions::kInternetSettingsKey, "ProxyServer",
                              "proxy.corp:3128");
  std::vector<unsigned> pauses;
  functions::NetworkPauses recorded;
  recorded.sleep = [&pauses](unsigned ms) { pauses.push_back(ms); };
  NetworkTools({}, recorded).DisableProxy();
  functions::ProxySettings proxy = NetworkTools().ReadProxySettings();
  EXPECT_EQ(proxy.enable, 0u);
  EXPECT_EQ(proxy.server, "proxy.corp:3128");
  EXPECT_EQ(pauses, std::vector<unsigned>{2000});
}

// Stops the service and waits, boundedly, until it has stopped.
bool StopService(const char* name) {
  SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT);
  SC_HANDLE service =
      manager ? OpenServiceA(manager, name, SERVICE_STOP | SERVICE_QUERY_STATUS) : nullptr;
  SERVICE_STATUS status{};
  bool stopped = false;
  if (service) {
    ControlService(service, SERVICE_CONTROL_STOP, &status);
    for (int i = 0; i < 100 && !stopped; ++i) {
      stopped = QueryServiceStatus(service, &status) && status.dwCurrentState == SERVICE_STOPPED;
      if (!stopped) Sleep(100);
    }
    CloseServiceHandle(service);
  }
  if (manager) CloseServiceHandle(manager);
  return stopped;
}

TEST(Services, ARunningServiceIsSeenAndAMissingOneIsNot) {
  NetworkTools tools;
  EXPECT_TRUE(tools.IsServiceRunning("RpcSs"));
  EXPECT_FALSE(tools.IsServiceRunning("TessavaneNoSuchService"));
}

TEST(Services, StartingWaitsForTheServiceAndGivesUpOnOneThatCannotStart) {
  NetworkTools tools;
  auto started = std::chrono::steady_clock::now();
  tools.StartServiceAndWait("TessavaneNoSuchService");
  tools.StartServiceAndWait("RpcSs");  // already running
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(2));

  ASSERT_TRUE(StopService("Spooler"));
  ASSERT_FALSE(tools.IsServiceRunning("Spooler"));
  tools.StartServiceAndWait("Spooler");
  EXPECT_TRUE(tools.IsServiceRunning("Spooler"));
}

TEST(Services, PollingEndsWhenTheServiceStopsAgain) {
  SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
  ASSERT_NE(manager, nullptr);
  std::string binary = "\"" + test_support::WinePath(STUBBORN_SERVICE) + "\"";
  SC_HANDLE service =
      CreateServiceA(manager, "TessavaneStubborn", "TessavaneStubborn", SERVICE_ALL_ACCESS,
                     SERVICE_WIN32_OWN_PROCESS, SERVICE_DEMAND_START, SERVICE_ERROR_IGNORE,
                     binary.c_str(), nullptr, nullptr, nullptr, nullptr, nullptr);
  // Left over from an interrupted run in the same prefix: used as it is.
  if (!service && GetLastError() == ERROR_SERVICE_EXISTS)
    service = OpenServiceA(manager, "TessavaneStubborn", SERVICE_ALL_ACCESS);
  ASSERT_NE(service, nullptr) << GetLastError();
  NetworkTools tools;
  auto started = std::chrono::steady_clock::now();
  tools.StartServiceAndWait("TessavaneStubborn");
  auto took = std::chrono::steady_clock::now() - started;
  EXPECT_FALSE(tools.IsServiceRunning("TessavaneStubborn"));
  EXPECT_LT(took, std::chrono::seconds(10));
  DeleteService(service);
  CloseServiceHandle(service);
  CloseServiceHandle(manager);
}

}  // namespace
