// The browser layer's OS-free rules: which copy of the program does what, which addresses
// open, how a script call is put together, and the script that installs the functions.
#include <gtest/gtest.h>

#include "browser/bridge_script.h"
#include "browser/process_role.h"
#include "browser/script_message.h"
#include "browser/url_policy.h"

namespace {

using browser::ProcessRole;
using browser::RoleFromArguments;

TEST(ProcessRole, TheTypeSwitchDecidesTheRole) {
  EXPECT_EQ(RoleFromArguments({}), ProcessRole::kBrowser);
  EXPECT_EQ(RoleFromArguments({L"--type=renderer"}), ProcessRole::kRender);
  EXPECT_EQ(RoleFromArguments({L"--type=gpu-process"}), ProcessRole::kOther);
  // An empty value, or none at all, is still a helper process.
  EXPECT_EQ(RoleFromArguments({L"--type="}), ProcessRole::kOther);
  EXPECT_EQ(RoleFromArguments({L"--type"}), ProcessRole::kOther);
  // The other spellings engines accept on Windows, and a name in another letter case.
  EXPECT_EQ(RoleFromArguments({L"-type=renderer"}), ProcessRole::kRender);
  EXPECT_EQ(RoleFromArguments({L"/type=renderer"}), ProcessRole::kRender);
  EXPECT_EQ(RoleFromArguments({L"--TYPE=renderer"}), ProcessRole::kRender);
  // Values are compared exactly.
  EXPECT_EQ(RoleFromArguments({L"--type=Renderer"}), ProcessRole::kOther);
  EXPECT_EQ(RoleFromArguments({L"--lang=zh-CN", L"--type=renderer", L"--type=gpu"}), ProcessRole::kRender);
}

TEST(ProcessRole, OtherArgumentsLeaveTheBrowserProcess) {
  EXPECT_EQ(RoleFromArguments({L"type=renderer", L"--typeface=x", L"--no-sandbox", L"-", L"/"}),
            ProcessRole::kBrowser);
  // Nothing after a lone "--" is a switch.
  EXPECT_EQ(RoleFromArguments({L"--", L"--type=renderer"}), ProcessRole::kBrowser);
}

TEST(UrlPolicy, OnlyWebAddressesOpen) {
  for (const char* url : {"http://127.0.0.1:8080/signin/page?loginCode=ab", "https://open.weixin.qq.com/connect",
                          "HTTP://EXAMPLE.COM", "http://a"})
    EXPECT_TRUE(browser::IsWebAddress(url)) << url;
  for (const char* url : {"", "about:blank", "file:///C:/Windows/win.ini", "javascript:alert(1)", "res://ieframe.dll/",
                          "http://", "https:///path", "http:/x", "http://@host", " http://a", "http://a b",
                          "http://a\nb", "ftp://a", "\\\\server\\share"})
    EXPECT_FALSE(browser::IsWebAddress(url)) << url;
  EXPECT_TRUE(browser::IsNavigationAllowed("about:blank"));
  EXPECT_TRUE(browser::IsNavigationAllowed("https://a/b"));
  EXPECT_FALSE(browser::IsNavigationAllowed("about:internet"));
  EXPECT_FALSE(browser::IsNavigationAllowed("file:///C:/"));
}

TEST(ScriptCallCollector, ACallKeepsItsArgumentsAndTheirCount) {
  browser::ScriptCallCollector collector;
  collector.Begin("wxCallback");
  collector.Add("a");
  collector.Add("");
  auto message = collector.Finish();
  ASSERT_TRUE(message);
  EXPECT_EQ(message->name, "wxCallback");
  EXPECT_EQ(message->arguments, (std::vector<std::string>{"a", ""}));
  collector.Begin("wxCallback");
  message = collector.Finish();
  ASSERT_TRUE(message);
  EXPECT_TRUE(message->arguments.empty());
}

TEST(ScriptCallCollector, SpoiledCallsSendNothingAndDoNotSpoilTheNext) {
  browser::ScriptCallCollector collector;
  EXPECT_FALSE(collector.Finish());
  collector.Add("stray");
  EXPECT_FALSE(collector.Finish());
  collector.Begin("alert");
  EXPECT_FALSE(collector.Finish());
  collector.Begin("wxCallback");
  for (size_t i = 0; i <= browser::kMaxScriptArguments; ++i) collector.Add("x");
  EXPECT_FALSE(collector.Finish());
  collector.Begin("wxCallback");
  collector.Add(std::string(browser::kMaxScriptArgumentBytes, 'y'));  // the longest allowed
  EXPECT_TRUE(collector.Finish());
  collector.Begin("wxCallback");
  collector.Add(std::string(browser::kMaxScriptArgumentBytes + 1, 'y'));
  EXPECT_FALSE(collector.Finish());
  // A second Begin starts over.
  collector.Begin("wxCallback");
  collector.Add("first");
  collector.Begin("wxCallback");
  collector.Add("second");
  auto message = collector.Finish();
  ASSERT_TRUE(message);
  EXPECT_EQ(message->arguments, std::vector<std::string>{"second"});
}

TEST(BridgeScript, InstallsEachScriptFunction) {
  EXPECT_EQ(browser::ScriptFunctionNames(), std::vector<std::string>{"wxCallback"});
  EXPECT_NE(browser::BridgeInstallScript().find("install('wxCallback');"), std::string::npos);
}

}  // namespace
