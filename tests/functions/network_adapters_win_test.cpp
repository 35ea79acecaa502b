// The adapters as Wine's IP Helper API lists them and as the network class key in the test
// prefix's registry describes them, read without any console tool.
#include <winsock2.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "functions/network_tools.h"

namespace {

using functions::AdapterRecord;
using functions::NetworkTools;

// Fails the test if the adapter search starts a console tool: wmic is not there to ask on
// current Windows.
class NoConsoleTools : public NetworkTools {
 public:
  std::vector<std::string> started;
  bool RunAndCapture(const std::string& commandLine, char*, size_t) override {
    started.push_back(commandLine);
    return false;
  }
  void RunAndWait(const char* program, const std::string&) override { started.push_back(program); }
};

// Connection keys made under the network class key for the test, removed afterwards; a key
// the prefix already had gets its old PnPInstanceId back instead.
class NetworkClassKey : public ::testing::Test {
 protected:
  struct Made {
    std::string guid;
    bool existed = false;
    std::wstring oldPnp;  // empty: there was none
  };
  void TearDown() override {
    for (const Made& made : made_) {
      std::string adapter = std::string(functions::kNetworkClassKey) + "\\" + made.guid;
      if (!made.existed) {
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, adapter.c_str());
        continue;
      }
      HKEY key = nullptr;
      if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, (adapter + "\\Connection").c_str(), 0, KEY_SET_VALUE,
                        &key) != ERROR_SUCCESS)
        continue;
      if (made.oldPnp.empty())
        RegDeleteValueW(key, L"PnPInstanceId");
      else
        RegSetValueExW(key, L"PnPInstanceId", 0, REG_SZ,
                       reinterpret_cast<const BYTE*>(made.oldPnp.c_str()),
                       static_cast<DWORD>((made.oldPnp.size() + 1) * sizeof(wchar_t)));
      RegCloseKey(key);
    }
  }
  void Connection(const std::string& guid, const wchar_t* name, const wchar_t* pnp) {
    std::string path = std::string(functions::kNetworkClassKey) + "\\" + guid + "\\Connection";
    Made made;
    made.guid = guid;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_QUERY_VALUE, &key) == ERROR_SUCCESS) {
      made.existed = true;
      wchar_t old[512] = {};
      DWORD size = sizeof old - sizeof(wchar_t);
      if (RegQueryValueExW(key, L"PnPInstanceId", nullptr, nullptr, reinterpret_cast<BYTE*>(old),
                           &size) == ERROR_SUCCESS)
        made.oldPnp = old;
      RegCloseKey(key);
    }
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    made_.push_back(made);
    if (name)
      RegSetValueExW(key, L"Name", 0, REG_SZ, reinterpret_cast<const BYTE*>(name),
                     static_cast<DWORD>((wcslen(name) + 1) * sizeof(wchar_t)));
    RegSetValueExW(key, L"PnPInstanceId", 0, REG_SZ, reinterpret_cast<const BYTE*>(pnp),
                   static_cast<DWORD>((wcslen(pnp) + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
  }
  // The first adapter Wine lists as Ethernet, if any.
  static const AdapterRecord* ListedEthernet(const std::vector<AdapterRecord>& records) {
    for (const AdapterRecord& record : records)
      if (record.listed && record.ifType == functions::kIfTypeEthernet) return &record;
    return nullptr;
  }

  std::vector<Made> made_;
};

TEST_F(NetworkClassKey, WinesAdaptersAreListedWithTheirNamesAndNoConsoleTool) {
  NoConsoleTools tools;
  std::vector<AdapterRecord> records = tools.ReadAdapterRecords();
  functions::AdapterInfo info;
  tools.FindPhysicalAdapter(info);
  EXPECT_TRUE(tools.started.empty()) << tools.started.front();

  bool loopback = false;
  for (const AdapterRecord& record : records) {
    if (!record.listed) continue;
    SCOPED_TRACE(record.guid);
    EXPECT_EQ(record.guid.front(), '{');
    EXPECT_EQ(record.guid.back(), '}');
    EXPECT_FALSE(record.connectionName.empty());
    EXPECT_GT(record.interfaceIndex, 0u);
    // Nothing Wine lists is on a PCI bus: none is taken for a physical adapter.
    EXPECT_FALSE(functions::IsPhysicalAdapter(record));
    loopback = loopback || record.ifType == 24;
  }
  EXPECT_TRUE(loopback) << "Wine lists its loopback interface";
}

TEST_F(NetworkClassKey, AListedAdapterOnAPciBusIsFoundWithItsApiNamesAndStatus) {
  std::vector<AdapterRecord> before = NetworkTools::ReadAdapterRecords();
  const AdapterRecord* ethernet = ListedEthernet(before);
  if (!ethernet) GTEST_SKIP() << "this host gives Wine no Ethernet interface";
  const AdapterRecord wine = *ethernet;
  Connection(wine.guid, nullptr, L"PCI\\VEN_8086&DEV_15B8&SUBSYS_00008086&REV_00\\3&11583659&0&FE");

  NoConsoleTools tools;
  functions::AdapterInfo info;
  ASSERT_TRUE(tools.FindPhysicalAdapter(info));
  EXPECT_TRUE(tools.started.empty());
  EXPECT_EQ(info.guid, wine.guid);
  EXPECT_EQ(info.connectionName, wine.connectionName);
  EXPECT_EQ(info.interfaceIndex, std::to_string(wine.interfaceIndex));
  EXPECT_EQ(info.connectionStatus, functions::ConnectionStatusOf(wine));
  // The address comes from the same adapter through the older list, by the same index.
  std::string address = tools.GetAdapterAddress(info.interfaceIndex);
  EXPECT_FALSE(address.empty());
}

TEST_F(NetworkClassKey, AnAdapterOnlyTheRegistryKnowsIsFoundAsDisabledWithItsWideName) {
  const std::string guid = "{7E57AB1E-0000-4000-8000-00000000D15A}";
  Connection("{7E57AB1E-0000-4000-8000-00000000F00D}", L"VPN", L"ROOT\\NET\\0007");
  Connection(guid, L"以太网 2", L"PCI\\VEN_10EC&DEV_8168&SUBSYS_86771043&REV_15\\01000000");

  std::vector<AdapterRecord> records = NetworkTools::ReadAdapterRecords();
  int unlisted = 0;
  for (const AdapterRecord& record : records) unlisted += record.listed ? 0 : 1;
  EXPECT_GE(unlisted, 2);

  NoConsoleTools tools;
  functions::AdapterInfo info;
  ASSERT_TRUE(tools.FindPhysicalAdapter(info));
  EXPECT_EQ(info.guid, guid);
  EXPECT_EQ(info.connectionName, "以太网 2");  // UTF-8, as netsh is then handed it
  EXPECT_EQ(info.connectionStatus, "0");
  EXPECT_TRUE(tools.started.empty());
}

}  // namespace
