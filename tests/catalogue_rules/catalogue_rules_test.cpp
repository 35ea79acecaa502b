#include "catalogue_rules/catalogue_rules.h"
#include "catalogue_rules/installer_switches.h"

#include <gtest/gtest.h>

#include <string>

#include "net/catalogue_parser.h"

namespace {

using namespace net;

TEST(CatalogueRules, PlainFileNamesStayInTheFolderTheyArePutIn) {
  for (const char* good : {"d3dx9_43.dll", "vc_redist.x64.exe", "VC 2008 (x86).exe", "COM10.dll",
                           "console.dll", "nullable.dll", ".hidden", "\xe8\xbf\x90\xe8\xa1\x8c.exe"})
    EXPECT_TRUE(IsPlainFileName(good)) << good;
  for (const char* bad : {"", ".", "..", "..\\..\\..\\evil2.dll", "a/b.dll", "a\\b.dll", "C:evil.dll",
                          "x.dll:stream", "x.dll::$DATA", "CON", "con.dll", "Com1.txt", "LPT9", "nul.",
                          "conin$", "name.", "name ", "a*b.dll", "a?.dll", "a|b", "a\"b", "a<b", "a\tb",
                          "a\x7f" "b"})
    EXPECT_FALSE(IsPlainFileName(bad)) << bad;
  EXPECT_TRUE(IsPlainFileName(std::string(200, 'a')));
  EXPECT_FALSE(IsPlainFileName(std::string(201, 'a')));
}

TEST(CatalogueRules, OnlyWebAddressesAreLinks) {
  for (const char* good : {"http://h/", "https://h/x.exe", "HTTPS://Example.com:8443/a?b=c#d",
                           "http://127.0.0.1:8080/files/pages/service.html", "http://h"})
    EXPECT_TRUE(IsWebUrl(good)) << good;
  for (const char* bad : {"", "C:\\windows\\system32\\notepad.exe", "file:///C:/windows/system32/calc.exe",
                          "javascript:alert(1)", "ftp://h/x", "//h/x", "http://", "http:///x",
                          "http://user@evil/x", "http://:80/x", "http://h/a b", "http://h/a\\..\\b",
                          "http://h/\r\nX: y", " http://h/", "mailto:a@b"})
    EXPECT_FALSE(IsWebUrl(bad)) << bad;
  EXPECT_FALSE(IsWebUrl("http://h/" + std::string(2048, 'a')));
}

TEST(CatalogueRules, ARedirectStaysOnTheWebAndNeverLeavesHttps) {
  EXPECT_TRUE(RedirectAllowed("http://h/a.exe", "http://mirror/a.exe"));
  EXPECT_TRUE(RedirectAllowed("http://h/a.exe", "https://mirror/a.exe"));
  EXPECT_TRUE(RedirectAllowed("https://h/a.exe", "https://mirror/a.exe"));
  EXPECT_TRUE(RedirectAllowed("HTTPS://h/a.exe", "HTTPS://mirror/a.exe"));
  EXPECT_FALSE(RedirectAllowed("https://h/a.exe", "http://mirror/a.exe"));
  EXPECT_FALSE(RedirectAllowed("Https://h/a.exe", "HTTP://mirror/a.exe"));
  for (const char* from : {"http://h/a.exe", "https://h/a.exe"})
    for (const char* to : {"file:///C:/windows/system32/cmd.exe", "\\\\evil\\share\\a.exe", "ftp://h/a.exe", "",
                           "https://user@evil/a.exe"})
      EXPECT_FALSE(RedirectAllowed(from, to)) << from << " -> " << to;
}

TEST(CatalogueRules, SystemFolderDllsAreOneNameInSystem32OrSysWow64) {
  EXPECT_TRUE(IsSystemFolderDll("C:\\Windows\\System32\\d3dx9_43.dll", "d3dx9_43.dll"));
  EXPECT_TRUE(IsSystemFolderDll("c:\\windows\\system32\\D3DX9_43.DLL", "d3dx9_43.dll"));
  EXPECT_TRUE(IsSystemFolderDll("C:\\Windows\\SysWOW64\\xinput1_3.dll", "xinput1_3.dll"));
  struct Case { const char* path; const char* name; };
  for (Case c : {Case{"C:\\Program Files\\evil.dll", "evil.dll"},
                 Case{"C:\\Windows\\System32\\drivers\\evil.dll", "evil.dll"},
                 Case{"C:\\Windows\\evil.dll", "evil.dll"},
                 Case{"C:\\Windows\\System32\\..\\evil.dll", "evil.dll"},
                 Case{"C:\\Windows\\System32\\..\\evil.dll", "..\\evil.dll"},
                 Case{"C:\\Windows\\System32\\..\\..\\users\\evil2.dll", "..\\..\\users\\evil2.dll"},
                 Case{"\\\\server\\share\\evil.dll", "evil.dll"},
                 Case{"\\\\?\\C:\\Windows\\System32\\evil.dll", "evil.dll"},
                 Case{"\\\\.\\C:\\Windows\\System32\\evil.dll", "evil.dll"},
                 Case{"C:\\Windows\\System32\\evil.dll:stream", "evil.dll:stream"},
                 Case{"C:\\Windows\\System32\\evil.dll", "other.dll"},
                 Case{"C:\\Windows\\System32\\evil.exe", "evil.exe"},
                 Case{"C:\\Windows\\System32\\", ""},
                 Case{"C:/Windows/System32/evil.dll", "evil.dll"},
                 Case{"D:\\Windows\\System32\\evil.dll", "evil.dll"},
                 Case{"C:\\Windows\\System32\\con.dll", "con.dll"}})
    EXPECT_FALSE(IsSystemFolderDll(c.path, c.name)) << c.path << " / " << c.name;
}

TEST(CatalogueRules, InstallerSwitchesComeFromTheVocabularyOnly) {
  for (const char* good : {"", "/q", "/Q", "/install /quiet /norestart", "/passive /norestart", "/qb", "/qn",
                           "/silent", "/INSTALL /Quiet /NoRestart", "/repair /passive"})
    EXPECT_TRUE(SwitchesFromVocabulary(good)) << good;
  // Chaining and quoting, and switches of the right shape that are not silent installs: an
  // uninstall, a log file anywhere, IExpress's command, a folder to unpack to.
  for (const char* bad : {"/q & calc.exe", "/q && calc", "\"/q\"", "/q; calc", "/q\r\ncalc", "/q > C:\\x",
                          "/uninstall /quiet", "/log C:\\x.txt", "/q:a /c:msiexec", "/T:C:\\x /Q", "-silent",
                          "/lang=2052", "/q  /norestart", " /q", "/q ", "/q\t/norestart", "/quiet2", "/qq"})
    EXPECT_FALSE(SwitchesFromVocabulary(bad)) << bad;
  EXPECT_FALSE(SwitchesFromVocabulary(std::string("/q\0/s", 5)));
}

CatalogueFile Runtime(const std::string& url, const std::string& switches = "/q") {
  CatalogueFile f;
  f.downloadUrl = url;
  f.silentParam = switches;
  return f;
}

TEST(CatalogueRules, EachListKeepsOnlyEntriesItCanUseSafely) {
  EXPECT_TRUE(EntryIsUsable(kRuntimeFiles, Runtime("https://h/vc_redist.x64.exe")));
  EXPECT_TRUE(EntryIsUsable(kRuntimeFiles, Runtime("http://h/VCREDIST.EXE?v=2#x")));
  EXPECT_FALSE(EntryIsUsable(kRuntimeFiles, Runtime("http://h/setup.bat")));
  EXPECT_FALSE(EntryIsUsable(kRuntimeFiles, Runtime("http://h/setup.exe.cmd")));
  EXPECT_FALSE(EntryIsUsable(kRuntimeFiles, Runtime("http://h/")));
  EXPECT_FALSE(EntryIsUsable(kRuntimeFiles, Runtime("http://h/con.exe")));
  EXPECT_FALSE(EntryIsUsable(kRuntimeFiles, Runtime("file:///C:/x/setup.exe")));
  EXPECT_FALSE(EntryIsUsable(kRuntimeFiles, Runtime("https://h/vc.exe", "/q & calc")));

  CatalogueFile dx;
  dx.downloadUrl = "http://h/d3dx9_43.dll";
  dx.fileName = "d3dx9_43.dll";
  dx.filePath = "C:\\Windows\\System32\\d3dx9_43.dll";
  EXPECT_TRUE(EntryIsUsable(kDirectXFiles, dx));
  EXPECT_TRUE(EntryIsUsable(kSystemFiles, dx));
  CatalogueFile unc = dx;
  unc.filePath = "\\\\attacker\\share\\d3dx9_43.dll";
  EXPECT_FALSE(EntryIsUsable(kDirectXFiles, unc));
  CatalogueFile linkless = dx;
  linkless.downloadUrl = "\\\\attacker\\share\\d3dx9_43.dll";
  EXPECT_FALSE(EntryIsUsable(kSystemFiles, linkless));

  CatalogueFile listed;
  listed.downloadUrl = "http://h/files/runtime/vcredist2008_x86.exe";
  listed.fileName = "Visual C++ 2008 运行库 (x86)";  // shown only, never a path
  EXPECT_TRUE(EntryIsUsable(kCommonFiles, listed));
  listed.downloadUrl = "http://h/files/..";
  EXPECT_FALSE(EntryIsUsable(kCommonFiles, listed));
  EXPECT_FALSE(EntryIsUsable(8, dx));
}

std::string Same(const std::string& text) { return text; }

TEST(CatalogueRules, TheParserLeavesHostileEntriesOutAndKeepsTheRest) {
  const std::string good =
      "{\"status\":1,\"id\":1,\"systemBit\":0,\"downloadUrl\":\"http://h/a.dll\",\"fileName\":\"a.dll\","
      "\"fileMd5\":\"m\",\"filePath\":\"C:\\\\Windows\\\\System32\\\\a.dll\"}";
  const std::string outside =
      "{\"status\":1,\"id\":2,\"systemBit\":0,\"downloadUrl\":\"http://h/b.dll\",\"fileName\":\"b.dll\","
      "\"fileMd5\":\"m\",\"filePath\":\"C:\\\\Program Files\\\\b.dll\"}";
  const std::string traversal =
      "{\"status\":1,\"id\":3,\"systemBit\":1,\"downloadUrl\":\"http://h/c.dll\","
      "\"fileName\":\"..\\\\..\\\\..\\\\..\\\\..\\\\..\\\\evil2.dll\",\"fileMd5\":\"m\","
      "\"filePath\":\"C:\\\\Windows\\\\System32\\\\..\\\\..\\\\..\\\\..\\\\..\\\\..\\\\evil2.dll\"}";
  CatalogueList list;
  ASSERT_EQ(ParseFileList(kDirectXFiles, "{\"code\":\"200\",\"data\":[" + good + "," + outside + "," +
                                             traversal + "]}", Same, list),
            ReplyStatus::kAccepted);
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(list[0].id, 1);

  const std::string runtime =
      "{\"status\":1,\"id\":4,\"downloadUrl\":\"http://h/x.bat\",\"fileName\":\"x\","
      "\"regeditName\":\"HKEY_LOCAL_MACHINE\\\\K\"},"
      "{\"status\":1,\"id\":5,\"downloadUrl\":\"http://h/x.exe\",\"fileName\":\"x\","
      "\"regeditName\":\"HKEY_LOCAL_MACHINE\\\\K\",\"silentParam\":\"/q\\\" & calc\"},"
      "{\"status\":1,\"id\":6,\"downloadUrl\":\"http://h/x.exe\",\"fileName\":\"x\","
      "\"regeditName\":\"HKEY_LOCAL_MACHINE\\\\K\",\"silentParam\":\"/q\"}";
  ASSERT_EQ(ParseFileList(kRuntimeFiles, "{\"code\":\"200\",\"data\":[" + runtime + "]}", Same, list),
            ReplyStatus::kAccepted);
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(list[0].id, 6);
}

TEST(CatalogueRules, LinksThatAreNotWebAddressesOpenNothing) {
  const std::string body =
      "{\"code\":\"200\",\"data\":{\"kfUrl\":\"C:\\\\windows\\\\system32\\\\notepad.exe\","
      "\"xyUrl\":\"file:///C:/x.html\",\"secretUrl\":\"https://h/privacy.html\",\"filesList\":["
      "{\"status\":1,\"id\":1,\"downloadUrl\":\"http://h/a.exe\",\"imgUrl\":\"\\\\\\\\evil\\\\i.png\","
      "\"fileName\":\"A\",\"fileMd5\":\"m\",\"memo\":\"\",\"type\":0},"
      "{\"status\":1,\"id\":2,\"downloadUrl\":\"C:\\\\x\\\\b.exe\",\"imgUrl\":\"http://h/i.png\","
      "\"fileName\":\"B\",\"fileMd5\":\"m\",\"memo\":\"\",\"type\":0}]}}";
  CommonCatalogue out;
  ASSERT_EQ(ParseCommonFiles(body, Same, out), ReplyStatus::kAccepted);
  EXPECT_EQ(out.kfUrl, "");
  EXPECT_EQ(out.xyUrl, "");
  EXPECT_EQ(out.secretUrl, "https://h/privacy.html");
  ASSERT_EQ(out.cplusFiles.size(), 1u);
  EXPECT_EQ(out.cplusFiles[0].id, 1);
  EXPECT_EQ(out.cplusFiles[0].imgUrl, "");  // no picture rather than a probe of a share
}

}  // namespace
