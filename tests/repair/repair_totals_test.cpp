// The totals of the runtime and DirectX pages in the real main frame under Wine, against the
// real catalogue server with the demo catalogue: repairs in which the server's stand-in
// installers fail (run with switches they refuse) or a DirectX file never matches its digest,
// and a repair in which every stand-in does its work.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/files_and_folders.h"
#include "net/user_paths.h"
#include "repair/registry_path.h"
#include "repair/runtime_repair.h"
#include "repair_page_support.h"
#include "shell_test_support.h"

namespace {

constexpr int kDirectXPage = 2;
const char* const kTestDlls[] = {"tessa_totals_0.dll", "tessa_totals_1.dll"};

class RepairTotals : public RepairPageTest {
 protected:
  void SetUp() override {
    if (std::getenv("TESSA_PROXY_URL") == nullptr) GTEST_SKIP() << "run by with-catalogue-server";
    RepairPageTest::SetUp();
    // The header's catalogue; the system list comes last.
    ASSERT_TRUE(PumpUntil([&] { return !state_.SystemFiles()->empty(); }, 30000));
    ASSERT_FALSE(state_.RuntimeFiles()->empty());
    ASSERT_FALSE(state_.DxFiles()->empty());
    Clean();
  }
  void TearDown() override {
    if (!IsSkipped()) Clean();
    RepairPageTest::TearDown();
  }
  app::MainFrameWindow* NewFrame() override {
    return new app::MainFrameWindow(state_, std::getenv("TESSA_PROXY_URL"));
  }

  // Every runtime of the catalogue missing, as on a fresh machine, and no test DLL anywhere.
  void Clean() {
    for (const net::CatalogueFile& entry : *state_.RuntimeFiles()) {
      repair::RegistryPath path;
      if (repair::ParseRegistryPath(entry.regeditName, path))
        for (REGSAM view : {KEY_WOW64_32KEY, KEY_WOW64_64KEY})
          ::RegDeleteKeyExA(path.localMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER,
                            path.subKey.c_str(), view, 0);
      ::DeleteFileA(
          repair::RuntimeInstallerPath(entry, net::RundllFolder(platform::RepairCacheBase())).c_str());
    }
    for (const char* name : kTestDlls)
      for (const std::string& folder :
           {std::string("C:\\windows\\system32\\"), std::string("C:\\windows\\syswow64\\"),
            net::DirectXFolder(platform::RepairCacheBase(), 0)})
        ::DeleteFileA((folder + name).c_str());
  }
  void ExpectAllStates(const std::wstring& state, size_t count) {
    EXPECT_EQ(States(), std::vector<std::wstring>(count, state));
  }
};

TEST_F(RepairTotals, ARuntimeRepairWithFailedPackagesNeverEndsOnTheSuccessPicture) {
  prefix_ = L"rundll";
  const net::CatalogueList served = *state_.RuntimeFiles();
  const size_t n = served.size();
  const std::wstring count = std::to_wstring(n);
  net::CatalogueList refused = served;
  for (net::CatalogueFile& entry : refused) entry.silentParam = "/passive";
  state_.ReplaceRuntimeFiles(refused);
  ASSERT_TRUE(Scan());
  ExpectAllStates(L"缺失", n);
  ASSERT_TRUE(Repair());
  ExpectAllStates(L"修复失败", n);
  EXPECT_EQ(Text(L"rundll_repaired_text"), L"修复结束，" + count + L"个组件修复失败");
  EXPECT_EQ(Text(L"rundll_repaired_text1"), L"已修复项：" + count + L"个  成功：0个  失败：" + count + L"个");
  EXPECT_EQ(Picture(L"rundll_repaired_picture"), L"repair_failed.png");
  EXPECT_TRUE(Visible(L"rundll_repaired_rescan"));

  // The same packages with their own switches: all installed, and the band's success picture and texts.
  state_.ReplaceRuntimeFiles(served);
  ASSERT_TRUE(Scan(L"rundll_repaired_rescan"));
  ExpectAllStates(L"缺失", n);
  ASSERT_TRUE(Repair());
  ExpectAllStates(L"修复完成", n);
  EXPECT_EQ(Text(L"rundll_repaired_text"), L"修复完成，已修复" + count + L"个运行库组件");
  EXPECT_EQ(Text(L"rundll_repaired_text1"), L"已修复项：" + count + L"个  成功：" + count + L"个  失败：0个");
  EXPECT_EQ(Picture(L"rundll_repaired_picture"), L"scaned.png");
  ASSERT_TRUE(Scan(L"rundll_repaired_rescan"));
  ExpectAllStates(L"完整", n);
}

TEST_F(RepairTotals, ADirectXRepairWithAFailedFileSaysHowManyFailed) {
  prefix_ = L"directx";
  frame_->ShowPage(kDirectXPage);
  // A file of the catalogue under names the prefix lacks; one of them with a digest that the
  // served file never matches.
  net::CatalogueFile source;
  for (const net::CatalogueFile& entry : *state_.DxFiles())
    if (entry.systemBit == 0) source = entry;
  ASSERT_FALSE(source.downloadUrl.empty());
  net::CatalogueList list;
  for (int i = 0; i < 2; ++i) {
    net::CatalogueFile copy = source;
    copy.id = 900 + i;
    copy.fileName = kTestDlls[i];
    copy.filePath = std::string("C:\\Windows\\System32\\") + kTestDlls[i];
    list.push_back(copy);
  }
  list[1].fileMd5 = "0123456789abcdef0123456789abcdef";
  state_.ReplaceDxFiles(list);
  ASSERT_TRUE(Scan());
  ExpectAllStates(L"缺失", 2);
  ASSERT_TRUE(Repair());
  EXPECT_EQ(States(), (std::vector<std::wstring>{L"修复失败", L"修复完成"}));
  EXPECT_EQ(Text(L"directx_repaired_text"), L"修复结束，1个组件修复失败");
  EXPECT_EQ(Text(L"directx_repaired_text1"), L"已修复项：2个  成功：1个  失败：1个");
  EXPECT_EQ(Picture(L"directx_repaired_picture"), L"repair_failed.png");
  EXPECT_TRUE(Visible(L"directx_repaired_rescan"));
}

}  // namespace
