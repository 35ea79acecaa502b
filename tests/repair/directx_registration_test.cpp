// The audio COM servers for real: a stand-in with a DllRegisterServer, served by the fixture,
// fetched and copied by the engine into the test prefix's system folders, and registered there
// by the prefix's own regsvr32 of the file's bitness; its class key is then looked for in each
// registry view.
#include "repair/directx_repair_system.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "fixture_client.h"
#include "platform/system_bitness.h"
#include "net/user_paths.h"
#include "process_bits.h"
#include "platform/md5.h"
#include "temp_path.h"
#include "wine_path.h"

namespace {

const char* const kRefusingClassId = "{0E7ECEF5-492B-46A3-91AD-9AE650856F55}";
// XACT engines of which Wine has no built-in DLL: Wine would load its own in place of a copied
// file of any name it has one for (xaudio2_*, most xactengine*), and register that instead.
const char* const kAudioName = "xactengine2_1.dll";
const char* const kRefusedName = "xactengine2_3.dll";
const char* const kPlainName = "tessa_plain_server.dll";
const char* const kNames[] = {kAudioName, kRefusedName, kPlainName};

// The class id the list of the demo's stand-ins gives for one of its DLLs.
std::string ListedClassId(const std::string& file) {
  std::ifstream list(test_support::WinePath(STANDIN_DLL_LIST));
  std::string line;
  while (std::getline(list, line)) {
    std::istringstream fields(line);
    std::string name, bits, classId;
    std::getline(fields, name, '\t');
    std::getline(fields, bits, '\t');
    std::getline(fields, classId, '\t');
    if (name == file) return classId;
  }
  return {};
}

// The server path a class key names in one registry view; empty when the key is not there.
std::string ClassServer(const std::string& classId, REGSAM view) {
  HKEY key;
  const std::string subKey = "CLSID\\" + classId + "\\InprocServer32";
  if (RegOpenKeyExA(HKEY_CLASSES_ROOT, subKey.c_str(), 0, KEY_QUERY_VALUE | view, &key) != ERROR_SUCCESS)
    return {};
  char value[MAX_PATH] = {};
  DWORD size = sizeof value - 1;
  const LONG status = RegQueryValueExA(key, nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(value), &size);
  RegCloseKey(key);
  return status == ERROR_SUCCESS ? std::string(value) : std::string("(key without a server)");
}

void DeleteClass(const std::string& classId, REGSAM view) {
  const std::string subKey = "CLSID\\" + classId;
  RegDeleteKeyExA(HKEY_CLASSES_ROOT, (subKey + "\\InprocServer32").c_str(), view, 0);
  RegDeleteKeyExA(HKEY_CLASSES_ROOT, subKey.c_str(), view, 0);
}

bool EndsWithName(const std::string& path, const std::string& name) {
  if (path.size() < name.size()) return false;
  return CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, path.c_str() + path.size() - name.size(),
                        -1, name.c_str(), -1) == CSTR_EQUAL;
}

// Where a file of the given systemBit lands, as this process reaches it.
std::string SystemFolderOf(int systemBit) {
  return systemBit == 1 ? test_support::NativeSystemFolder() : "C:\\windows\\syswow64\\";
}

class AudioRegistration : public ::testing::Test {
 protected:
  void SetUp() override {
    classId_ = ListedClassId("directx/x64/xaudio2_7.dll");
    ASSERT_EQ(classId_.size(), 38u) << "no class id in the stand-ins' list";
    ASSERT_EQ(ListedClassId("directx/x86/xaudio2_7.dll"), classId_);
    local_ = test_support::TempPath("audio_cache");
    Clean();
  }
  void TearDown() override { Clean(); }
  void Clean() {
    for (int bit : {0, 1})
      for (const char* name : kNames) DeleteFileA((SystemFolderOf(bit) + name).c_str());
    CleanRegistry();
  }
  void CleanRegistry() {
    for (REGSAM view : {KEY_WOW64_32KEY, KEY_WOW64_64KEY}) {
      DeleteClass(classId_, view);
      DeleteClass(kRefusingClassId, view);
    }
  }
  // The DLL served by the fixture under servedName; its digest goes into the entry.
  net::CatalogueFile Entry(const std::string& source, const std::string& servedName, int systemBit,
                           const std::string& name) {
    const std::string served =
        test_support::WinePath(std::string(std::getenv("FIXTURE_FILES")) + "/" + servedName);
    EXPECT_TRUE(CopyFileA(test_support::WinePath(source).c_str(), served.c_str(), FALSE)) << source;
    net::CatalogueFile entry;
    entry.systemBit = systemBit;
    entry.fileName = name;
    entry.filePath = "C:\\Windows\\System32\\" + name;
    entry.downloadUrl = test_support::FixtureUrl("/files/" + servedName);
    entry.fileMd5 = platform::FileMd5(served);
    EXPECT_EQ(entry.fileMd5.size(), 32u);
    return entry;
  }
  bool Repair(const net::CatalogueFile& entry) {
    return repair::RepairDirectXEntry(entry, net::DirectXFolder(local_, entry.systemBit),
                                      repair::SystemDirectXRepairOps(std::getenv("TEMP")));
  }
  std::string classId_, local_;
};

TEST_F(AudioRegistration, The64BitServerIsRegisteredInThe64BitView) {
  ASSERT_TRUE(platform::IsSystem64Bit());
  const net::CatalogueFile entry =
      Entry(std::string(DEMO_STANDINS) + "/directx/x64/xaudio2_7.dll", "audio64.dll", 1, kAudioName);
  EXPECT_TRUE(Repair(entry));
  EXPECT_EQ(platform::FileMd5(SystemFolderOf(1) + kAudioName), entry.fileMd5);
  const std::string server = ClassServer(classId_, KEY_WOW64_64KEY);
  EXPECT_TRUE(EndsWithName(server, kAudioName)) << server;
  EXPECT_EQ(ClassServer(classId_, KEY_WOW64_32KEY), "");
}

TEST_F(AudioRegistration, The32BitServerIsRegisteredInThe32BitView) {
  SKIP_UNLESS_WOW64_PROCESS();
  const net::CatalogueFile entry =
      Entry(std::string(DEMO_STANDINS) + "/directx/x86/xaudio2_7.dll", "audio32.dll", 0, kAudioName);
  EXPECT_TRUE(Repair(entry));
  EXPECT_EQ(platform::FileMd5(SystemFolderOf(0) + kAudioName), entry.fileMd5);
  const std::string server = ClassServer(classId_, KEY_WOW64_32KEY);
  EXPECT_TRUE(EndsWithName(server, kAudioName)) << server;
  EXPECT_EQ(ClassServer(classId_, KEY_WOW64_64KEY), "");
}

// The refusing stand-in has this build's bitness: the 32-bit copy in the i686 suite, the
// native one in the x86_64 suite.
TEST_F(AudioRegistration, AFailedRegistrationFailsTheRepairAndTakesTheCopyAway) {
  const int systemBit = test_support::kProcessIs32Bit ? 0 : 1;
  const net::CatalogueFile entry = Entry(STANDIN_REFUSING_DLL, "refusing.dll", systemBit, kRefusedName);
  EXPECT_FALSE(Repair(entry));
  EXPECT_EQ(GetFileAttributesA((SystemFolderOf(systemBit) + kRefusedName).c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_FALSE(repair::DirectXFileIntact(entry, repair::SystemDirectXRepairOps(std::getenv("TEMP"))));
}

TEST_F(AudioRegistration, ADllThatIsNoAudioServerIsNotRegistered) {
  // Registering it would run the refusing DllRegisterServer and fail the repair.
  const int systemBit = test_support::kProcessIs32Bit ? 0 : 1;
  const net::CatalogueFile entry = Entry(STANDIN_REFUSING_DLL, "refusing.dll", systemBit, kPlainName);
  EXPECT_TRUE(Repair(entry));
  EXPECT_EQ(platform::FileMd5(SystemFolderOf(systemBit) + kPlainName), entry.fileMd5);
}

}  // namespace
