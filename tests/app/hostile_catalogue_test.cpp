// The program in its real frame against a catalogue written by an attacker: the replies come
// through the recording proxy in front of the real server (with-catalogue-server), with entries
// that aim the elevated program's writes, runs and links elsewhere beside a few good ones.
// Nothing may be fetched for the bad entries, nothing written outside the system folders and
// the program's caches, nothing started; the good entries work as they would alone.
#include <gtest/gtest.h>
#include <windows.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "app/settings.h"
#include "catalogue_signer.h"
#include "platform/files_and_folders.h"
#include "net/user_paths.h"
#include "platform/md5.h"
#include "repair_page_support.h"
#include "shell_test_support.h"

namespace {

constexpr int kDirectXPage = 2;
const char kGoodDll[] = "tessa_hostile_good.dll";
// Well-formed entries whose files match their digests, but were signed by nobody the build
// trusts: a DLL signed by an impostor of the test publisher's name, and an unsigned copy of a
// stand-in installer that would write this key if it ran.
const char kImpostorDll[] = "tessa_hostile_impostor.dll";
const char kStandInKey[] = "SOFTWARE\\TessavaneStandInTest\\View64";

// A sample of the publisher check's (tests/windows/make_signature_samples.sh).
std::string SampleUnixPath(const std::string& name) { return std::string(SIGNATURE_SAMPLES) + "/" + name; }
std::string SampleWindowsPath(const std::string& name) {
  std::string path = "Z:" + SampleUnixPath(name);
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

// The Windows form of a JSON string's content.
std::string Quoted(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '\\' || c == '"') out += '\\';
    out += c;
  }
  return out + "\"";
}

std::string DxEntry(int id, const std::string& url, const std::string& md5, const std::string& name,
                    const std::string& path) {
  return "{\"id\":" + std::to_string(id) + ",\"status\":1,\"systemBit\":0,\"downloadUrl\":" + Quoted(url) +
         ",\"fileMd5\":" + Quoted(md5) + ",\"fileName\":" + Quoted(name) + ",\"filePath\":" + Quoted(path) + "}";
}

std::string SystemEntry(int id, const std::string& url, const std::string& md5, const std::string& name,
                        const std::string& path) {
  std::string entry = DxEntry(id, url, md5, name, path);
  return entry.substr(0, entry.size() - 1) + ",\"isKey\":true}";
}

std::string RuntimeEntry(int id, const std::string& url, const std::string& silent, const std::string& key,
                         const std::string& md5 = "0123456789abcdef0123456789abcdef") {
  return "{\"id\":" + std::to_string(id) + ",\"status\":1,\"gameRepair\":0,\"downloadUrl\":" + Quoted(url) +
         ",\"fileMd5\":" + Quoted(md5) + ",\"fileName\":\"VC\",\"silentParam\":" + Quoted(silent) +
         ",\"regeditName\":" + Quoted(key) + "}";
}

std::string Reply(const std::vector<std::string>& entries) {
  std::string joined;
  for (const std::string& e : entries) joined += (joined.empty() ? "" : ",") + e;
  return "{\"code\":\"200\",\"msg\":\"success\",\"data\":[" + joined + "]}";
}

bool Exists(const std::string& path) { return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool ProgramRunning(const wchar_t* exeName) {
  HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return false;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  bool found = false;
  for (BOOL more = ::Process32FirstW(snapshot, &entry); more && !found; more = ::Process32NextW(snapshot, &entry))
    found = _wcsicmp(entry.szExeFile, exeName) == 0;
  ::CloseHandle(snapshot);
  return found;
}

std::set<int> Ids(const net::CatalogueList& list) {
  std::set<int> ids;
  for (const net::CatalogueFile& entry : list) ids.insert(entry.id);
  return ids;
}

// Where the bad DirectX and system entries aim; none of these may appear.
const char* const kAimedAt[] = {
    "C:\\Program Files\\evil1.dll",          "C:\\windows\\system32\\drivers\\evil2.dll",
    "C:\\windows\\evil3.dll",                "C:\\evil4.dll",
    "C:\\users\\evil4.dll",                  "C:\\windows\\system32\\evil6.dll",
    "C:\\windows\\evil9.dll",                "C:\\windows\\system32\\evil10.dll",
    "C:\\windows\\temp\\evil11.dll",         "C:\\windows\\system32\\evil12.exe",
    "C:\\windows\\syswow64\\evil6.dll",      "C:\\windows\\syswow64\\evil10.dll",
};

class HostileCatalogue : public RepairPageTest {
 protected:
  void SetUp() override {
    if (std::getenv("TESSA_PROXY_URL") == nullptr) GTEST_SKIP() << "run by with-catalogue-server";
    proxy_ = std::getenv("TESSA_PROXY_URL");
    log_ = UnixPathFromEnvironment("TESSA_PROXY_LOG");
    std::ofstream(log_, std::ios::trunc);
    const std::string good = UnixPathFromEnvironment("TESSA_DEMO_FILES") + "\\directx\\x86\\d3dx10_43.dll";
    goodMd5_ = platform::FileMd5(good);
    ASSERT_EQ(goodMd5_.size(), 32u) << good;
    Clean();
    WriteRules();
    app::ForgetToken();
    state_.channel = "guanwang";
    prefix_ = L"directx";
    RepairPageTest::SetUp();
  }
  void TearDown() override {
    RepairPageTest::TearDown();
    Clean();
  }
  app::MainFrameWindow* NewFrame() override { return new app::MainFrameWindow(state_, proxy_); }

  static void Clean() {
    for (const char* path : kAimedAt) ::DeleteFileA(path);
    for (const char* name : {kGoodDll, kImpostorDll}) {
      ::DeleteFileA((std::string("C:\\windows\\system32\\") + name).c_str());
      ::DeleteFileA((std::string("C:\\windows\\syswow64\\") + name).c_str());
    }
    for (REGSAM view : {KEY_WOW64_32KEY, KEY_WOW64_64KEY}) ::RegDeleteKeyExA(HKEY_LOCAL_MACHINE, kStandInKey, view, 0);
    // A cached copy from an earlier run would be used without a download.
    for (int systemBit : {0, 1})
      for (const char* name : {kGoodDll, kImpostorDll})
        ::DeleteFileA((net::DirectXFolder(platform::RepairCacheBase(), systemBit) + name).c_str());
    ::DeleteFileA((net::RundllFolder(platform::RepairCacheBase()) + "setup61.exe").c_str());
  }
  std::string Evil(const std::string& name) const { return proxy_ + "/files/evil/" + name; }

  void WriteRules() {
    const std::string goodUrl = proxy_ + "/files/directx/x86/d3dx10_43.dll";
    const std::string md5 = goodMd5_;
    const std::vector<std::string> dx = {
        DxEntry(1, Evil("dx1.dll"), md5, "evil1.dll", "C:\\Program Files\\evil1.dll"),
        DxEntry(2, Evil("dx2.dll"), md5, "evil2.dll", "C:\\Windows\\System32\\drivers\\evil2.dll"),
        DxEntry(3, Evil("dx3.dll"), md5, "evil3.dll", "C:\\Windows\\System32\\..\\evil3.dll"),
        DxEntry(4, Evil("dx4.dll"), md5, "..\\..\\..\\..\\..\\..\\evil4.dll",
                "C:\\Windows\\System32\\..\\..\\..\\..\\..\\..\\evil4.dll"),
        DxEntry(5, Evil("dx5.dll"), md5, "evil5.dll", "\\\\127.0.0.1\\c$\\evil5.dll"),
        DxEntry(6, Evil("dx6.dll"), md5, "evil6.dll:hidden", "C:\\Windows\\System32\\evil6.dll:hidden"),
        DxEntry(7, Evil("dx7.dll"), md5, "CON.dll", "C:\\Windows\\System32\\CON.dll"),
        DxEntry(8, Evil("dx8.dll"), md5, "evil8.dll", "\\\\.\\C:\\Windows\\System32\\evil8.dll"),
        DxEntry(9, Evil("dx9.dll"), md5, "evil9.dll", "C:/Windows/System32/../evil9.dll"),
        DxEntry(10, "file:///C:/windows/system32/kernel32.dll", md5, "evil10.dll",
                "C:\\Windows\\System32\\evil10.dll"),
        DxEntry(12, Evil("dx12.exe"), md5, "evil12.exe", "C:\\Windows\\System32\\evil12.exe"),
        DxEntry(20, goodUrl, md5, kGoodDll, std::string("C:\\Windows\\System32\\") + kGoodDll),
        DxEntry(21, proxy_ + "/files/unvouched/impostor.dll", platform::FileMd5(SampleWindowsPath("impostor.dll")),
                kImpostorDll, std::string("C:\\Windows\\System32\\") + kImpostorDll),
    };
    const std::vector<std::string> system = {
        SystemEntry(31, Evil("sys11.dll"), md5, "evil11.dll", "C:\\Windows\\Temp\\evil11.dll"),
        SystemEntry(32, Evil("sys12.dll"), md5, "..\\evil12.dll", "C:\\Windows\\System32\\..\\evil12.dll"),
        SystemEntry(40, Evil("sys-good.dll"), md5, "kernel32.dll", "C:\\Windows\\System32\\kernel32.dll"),
    };
    const std::string key = "HKEY_LOCAL_MACHINE\\SOFTWARE\\TessaHostile\\Missing";
    const std::vector<std::string> runtime = {
        RuntimeEntry(51, Evil("setup.bat"), "/q", key),
        RuntimeEntry(52, Evil("setup52.exe"), "/q & calc.exe", key),
        RuntimeEntry(53, Evil("setup53.exe"), "/q \" & echo", key),
        RuntimeEntry(54, "file:///C:/windows/system32/cmd.exe", "/c", key),
        RuntimeEntry(55, Evil("setup55.exe"), "/q|calc", key),
        RuntimeEntry(56, "\\\\127.0.0.1\\share\\setup56.exe", "/q", key),
        // Present in every Windows: the page shows it complete and installs nothing.
        RuntimeEntry(60, proxy_ + "/files/runtime/present.exe", "/q", "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft"),
        RuntimeEntry(61, proxy_ + "/files/unvouched/setup61.exe", "/install /quiet /norestart",
                     std::string("HKEY_LOCAL_MACHINE\\") + kStandInKey,
                     platform::FileMd5(SampleWindowsPath("unsigned_installer.exe"))),
    };
    const std::string common =
        "{\"code\":\"200\",\"msg\":\"success\",\"data\":{"
        "\"kfUrl\":\"C:\\\\windows\\\\system32\\\\notepad.exe\",\"xyUrl\":\"file:///C:/windows/win.ini\","
        "\"secretUrl\":\"javascript:alert(1)\",\"filesList\":["
        "{\"id\":71,\"status\":1,\"type\":0,\"downloadUrl\":\"file:///C:/windows/system32/cmd.exe\",\"imgUrl\":\"\","
        "\"fileName\":\"bad\",\"fileMd5\":\"\",\"memo\":\"\"},"
        "{\"id\":72,\"status\":1,\"type\":0,\"downloadUrl\":\"" + Evil("..") + "\",\"imgUrl\":\"\","
        "\"fileName\":\"bad\",\"fileMd5\":\"\",\"memo\":\"\"},"
        "{\"id\":73,\"status\":1,\"type\":0,\"downloadUrl\":\"" + proxy_ + "/files/downloads/ndp35-sp1.exe\",\"imgUrl\":\"\","
        "\"fileName\":\"good\",\"fileMd5\":\"\",\"memo\":\"\"}]}}";
    // Signed as if the operator's key had vouched for all of it: what is kept must still be
    // only what the program may use.
    test_signing::FileFacts files;
    ASSERT_TRUE(test_signing::AddFileFacts(files, goodUrl,
                                           UnixPathFromEnvironment("TESSA_DEMO_FILES") + "\\directx\\x86\\d3dx10_43.dll"));
    ASSERT_TRUE(test_signing::AddFileFacts(files, proxy_ + "/files/unvouched/impostor.dll", SampleWindowsPath("impostor.dll")));
    ASSERT_TRUE(test_signing::AddFileFacts(files, proxy_ + "/files/unvouched/setup61.exe",
                                           SampleWindowsPath("unsigned_installer.exe")));
    test_signing::Key operatorKey;
    ASSERT_TRUE(test_signing::KeyFromPem(UnixPathFromEnvironment("TESSA_CATALOGUE_TEST_KEYS") + "\\first.pem", operatorKey));
    const std::string document = test_signing::Document(
        test_signing::PayloadCovering(common, Reply(runtime), Reply(dx), Reply(system), files, 1,
                                      static_cast<int64_t>(std::time(nullptr)) + 3600),
        {&operatorKey});
    std::ofstream rules(UnixPathFromEnvironment("TESSA_PROXY_RULES"), std::ios::trunc);
    rules << "/api/dll/files/signed reply " << document << "\n"
          << "/api/dll/files/common reply " << common << "\n"
          << "/api/dll/files/runtime reply " << Reply(runtime) << "\n"
          << "/api/dll/files/dx reply " << Reply(dx) << "\n"
          << "/api/dll/files/system reply " << Reply(system) << "\n"
          << "/files/unvouched/impostor.dll file " << SampleUnixPath("impostor.dll") << "\n"
          << "/files/unvouched/setup61.exe file " << SampleUnixPath("unsigned_installer.exe") << "\n";
  }

  std::vector<std::string> RequestsFor(const std::string& part) const {
    std::vector<std::string> seen;
    std::ifstream in(log_);
    for (std::string line; std::getline(in, line);)
      if (line.find(part) != std::string::npos) seen.push_back(line);
    return seen;
  }

  std::string proxy_, log_, goodMd5_;
};

TEST_F(HostileCatalogue, OnlyTheGoodEntriesAreKeptAndTheRepairTouchesNothingElse) {
  // The system list is the last of the header's chain.
  ASSERT_TRUE(PumpUntil([&] { return state_.SystemFiles()->size() > 0; }, 30000))
      << "requests: " << ::testing::PrintToString(RequestsFor("/"));
  EXPECT_EQ(Ids(*state_.DxFiles()), (std::set<int>{20, 21}));
  EXPECT_EQ(Ids(*state_.SystemFiles()), std::set<int>{40});
  EXPECT_EQ(Ids(*state_.RuntimeFiles()), (std::set<int>{60, 61}));
  {
    auto common = state_.Common();
    EXPECT_EQ(Ids(common->cplusFiles), std::set<int>{73});
    EXPECT_EQ(common->kfUrl, "");
    EXPECT_EQ(common->xyUrl, "");
    EXPECT_EQ(common->secretUrl, "");
  }

  // The customer-service button with the program's own link opener: nothing starts.
  Click(L"system_service");
  PumpFor(1500);
  EXPECT_FALSE(ProgramRunning(L"notepad.exe"));

  // The runtime page, which the frame shows first: the good entry complete, the unsigned
  // installer fetched, refused and never run.
  prefix_ = L"rundll";
  ASSERT_TRUE(Scan());
  EXPECT_EQ(States(), (std::vector<std::wstring>{L"缺失", L"完整"}));
  ASSERT_TRUE(Repair());
  EXPECT_EQ(States(), (std::vector<std::wstring>{L"修复失败", L"完整"}));
  EXPECT_FALSE(RequestsFor("/files/unvouched/setup61.exe").empty());
  for (REGSAM view : {KEY_WOW64_32KEY, KEY_WOW64_64KEY}) {
    HKEY key;
    EXPECT_NE(::RegOpenKeyExA(HKEY_LOCAL_MACHINE, kStandInKey, 0, KEY_READ | view, &key), ERROR_SUCCESS);
  }
  // A refused file is not kept in the cache either.
  EXPECT_FALSE(Exists(net::RundllFolder(platform::RepairCacheBase()) + "setup61.exe"));

  prefix_ = L"directx";
  frame_->ShowPage(kDirectXPage);
  ASSERT_TRUE(Scan());
  EXPECT_EQ(States(), (std::vector<std::wstring>{L"缺失", L"缺失"}));
  ASSERT_TRUE(Repair());
  std::vector<std::wstring> repaired = States();
  std::sort(repaired.begin(), repaired.end());
  EXPECT_EQ(repaired, (std::vector<std::wstring>{L"修复失败", L"修复完成"}));
  EXPECT_EQ(platform::FileMd5(std::string("C:\\windows\\system32\\") + kGoodDll), goodMd5_);
  EXPECT_FALSE(RequestsFor("/files/unvouched/impostor.dll").empty());
  EXPECT_FALSE(Exists(std::string("C:\\windows\\system32\\") + kImpostorDll));
  EXPECT_FALSE(Exists(std::string("C:\\windows\\syswow64\\") + kImpostorDll));
  for (int systemBit : {0, 1})
    EXPECT_FALSE(Exists(net::DirectXFolder(platform::RepairCacheBase(), systemBit) + kImpostorDll));

  for (const char* path : kAimedAt) EXPECT_FALSE(Exists(path)) << path;
  // Nothing of the bad entries was fetched (or even asked for), not even their pictures.
  EXPECT_EQ(RequestsFor("/files/evil/"), std::vector<std::string>{});
  EXPECT_EQ(RequestsFor("/files/directx/x86/d3dx10_43.dll").size(), 1u);
}

}  // namespace
