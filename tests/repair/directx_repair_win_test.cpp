#include "repair/directx_repair_system.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <string>

#include "fixture_client.h"
#include "net/user_paths.h"
#include "platform/md5.h"
#include "temp_path.h"
#include "process_bits.h"
#include "wine_path.h"

namespace {

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

class DirectXRepairOnWindows : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string served = test_support::WinePath(std::string(std::getenv("FIXTURE_FILES")) + "/d3dx9_43.dll");
    std::string source = test_support::WinePath(STANDIN_DLL);
    ASSERT_TRUE(CopyFileA(source.c_str(), served.c_str(), FALSE));
    digest_ = platform::FileMd5(served);
    local_ = test_support::TempPath("local");
    Clean();
  }
  void TearDown() override { Clean(); }
  void Clean() {
    for (const char* folder : {test_support::NativeSystemFolder(), "C:\\windows\\syswow64\\"})
      for (const char* name : {"tessa_dx_64.dll", "tessa_dx_32.dll"}) DeleteFileA((std::string(folder) + name).c_str());
  }
  net::CatalogueFile Entry(int systemBit, const char* name) {
    net::CatalogueFile entry;
    entry.systemBit = systemBit;
    entry.fileName = name;
    entry.filePath = std::string("C:\\windows\\system32\\") + name;
    entry.downloadUrl = test_support::FixtureUrl("/files/d3dx9_43.dll");
    entry.fileMd5 = digest_;
    return entry;
  }
  std::string digest_, local_;
};

TEST_F(DirectXRepairOnWindows, The64BitEntryLandsInTheNativeSystemFolder) {
  repair::DirectXRepairOps ops = repair::SystemDirectXRepairOps(std::getenv("TEMP"));
  ASSERT_TRUE(ops.system64Bit);
  net::CatalogueFile entry = Entry(1, "tessa_dx_64.dll");
  EXPECT_FALSE(repair::DirectXFileIntact(entry, ops));
  EXPECT_TRUE(repair::RepairDirectXEntry(entry, net::DirectXFolder(local_, 1), ops));
  EXPECT_TRUE(Exists(std::string(test_support::NativeSystemFolder()) + "tessa_dx_64.dll"));
  EXPECT_FALSE(Exists("C:\\windows\\syswow64\\tessa_dx_64.dll"));
  EXPECT_TRUE(repair::DirectXFileIntact(entry, ops));
}

TEST_F(DirectXRepairOnWindows, The32BitEntryLandsWhereThisProcessSeesSystem32) {
  SKIP_UNLESS_WOW64_PROCESS();
  repair::DirectXRepairOps ops = repair::SystemDirectXRepairOps(std::getenv("TEMP"));
  net::CatalogueFile entry = Entry(0, "tessa_dx_32.dll");
  EXPECT_TRUE(repair::RepairDirectXEntry(entry, net::DirectXFolder(local_, 0), ops));
  EXPECT_TRUE(Exists("C:\\windows\\syswow64\\tessa_dx_32.dll"));
  EXPECT_FALSE(Exists(std::string(test_support::NativeSystemFolder()) + "tessa_dx_32.dll"));
  EXPECT_TRUE(repair::DirectXFileIntact(entry, ops));
  // The same file name with the other systemBit is another file, in another cache folder.
  EXPECT_FALSE(repair::DirectXFileIntact(Entry(1, "tessa_dx_32.dll"), ops));
  EXPECT_TRUE(Exists(net::DirectXFolder(local_, 0) + "tessa_dx_32.dll"));
  EXPECT_FALSE(Exists(net::DirectXFolder(local_, 1) + "tessa_dx_32.dll"));
}

// Signed, with the right digest, but by a certificate of the right name from a root nobody
// trusts.
TEST_F(DirectXRepairOnWindows, ADllNoTrustedPublisherSignedLeavesTheSystemFolderAlone) {
  const std::string served = test_support::WinePath(std::string(std::getenv("FIXTURE_FILES")) + "/impostor.dll");
  ASSERT_TRUE(CopyFileA(test_support::WinePath(std::string(SIGNATURE_SAMPLES) + "/impostor.dll").c_str(),
                        served.c_str(), FALSE));
  repair::DirectXRepairOps ops = repair::SystemDirectXRepairOps(std::getenv("TEMP"));
  net::CatalogueFile entry = Entry(1, "tessa_dx_64.dll");
  entry.downloadUrl = test_support::FixtureUrl("/files/impostor.dll");
  entry.fileMd5 = platform::FileMd5(served);
  EXPECT_FALSE(repair::RepairDirectXEntry(entry, net::DirectXFolder(local_, 1), ops));
  EXPECT_FALSE(Exists(std::string(test_support::NativeSystemFolder()) + "tessa_dx_64.dll"));
}

TEST_F(DirectXRepairOnWindows, AWrongDigestLeavesTheSystemFolderAlone) {
  repair::DirectXRepairOps ops = repair::SystemDirectXRepairOps(std::getenv("TEMP"));
  net::CatalogueFile entry = Entry(1, "tessa_dx_64.dll");
  entry.fileMd5 = "00000000000000000000000000000000";
  EXPECT_FALSE(repair::RepairDirectXEntry(entry, net::DirectXFolder(local_, 1), ops));
  EXPECT_FALSE(Exists(std::string(test_support::NativeSystemFolder()) + "tessa_dx_64.dll"));
}

}  // namespace
