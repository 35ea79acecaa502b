#include "repair/directx_repair.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

namespace {

using namespace repair;

// A cache folder and system folders in memory. The 32-bit and the native view of the system
// folders are kept apart, as file-system redirection keeps them.
struct FakeFiles {
  std::map<std::string, std::string> cache;                 // path -> digest
  std::map<std::pair<std::string, bool>, std::string> sys;  // (path, native) -> digest
  std::vector<std::string> downloads;                       // digest per attempt; "" fails
  int attempt = 0;
  bool copyWorks = true;
  std::vector<std::string> log;

  DirectXRepairOps Ops(bool system64Bit = true) {
    DirectXRepairOps ops;
    ops.ensureFolder = [](const std::string&) { return true; };
    ops.cachedFileExists = [this](const std::string& p) { return cache.count(p) > 0; };
    ops.deleteFile = [this](const std::string& p) { log.push_back("delete"); cache.erase(p); };
    ops.fileMd5 = [this](const std::string& p) { return cache.count(p) ? cache[p] : std::string(); };
    ops.download = [this](const std::string&, const std::string& p) {
      log.push_back("download");
      std::string digest = attempt < int(downloads.size()) ? downloads[attempt] : "";
      ++attempt;
      if (digest.empty()) return false;
      cache[p] = digest;
      return true;
    };
    ops.systemFileExists = [this](const std::string& p, bool native) { return sys.count({p, native}) > 0; };
    ops.copyIntoPlace = [this](const std::string& from, const std::string& to, bool native) {
      log.push_back(native ? "copy native" : "copy");
      if (!copyWorks) return false;
      sys[{to, native}] = cache[from];
      return true;
    };
    ops.system64Bit = system64Bit;
    return ops;
  }
};

const std::string kDigest = "0123456789abcdef0123456789abcdef";
const std::string kFolder = "C:\\Local\\Tessavane\\DirectX\\1\\";

net::CatalogueFile Entry(int systemBit, const std::string& md5 = kDigest) {
  net::CatalogueFile entry;
  entry.systemBit = systemBit;
  entry.fileName = "d3dx9_43.dll";
  entry.filePath = "C:\\Windows\\System32\\d3dx9_43.dll";
  entry.downloadUrl = "http://cat/files/directx/x64/d3dx9_43.dll";
  entry.fileMd5 = md5;
  return entry;
}

TEST(DirectXRepair, The64BitFileGoesToTheNativeSystemFolder) {
  FakeFiles f;
  f.downloads = {kDigest};
  EXPECT_FALSE(DirectXFileIntact(Entry(1), f.Ops()));
  EXPECT_TRUE(RepairDirectXEntry(Entry(1), kFolder, f.Ops()));
  EXPECT_EQ(f.log, (std::vector<std::string>{"download", "copy native"}));
  EXPECT_TRUE(DirectXFileIntact(Entry(1), f.Ops()));
  EXPECT_FALSE(DirectXFileIntact(Entry(0), f.Ops()));  // the 32-bit folder still lacks it
}

TEST(DirectXRepair, The32BitFileUsesThePathAsThisProcessSeesIt) {
  FakeFiles f;
  f.downloads = {kDigest};
  EXPECT_TRUE(RepairDirectXEntry(Entry(0), kFolder, f.Ops()));
  EXPECT_EQ(f.log.back(), "copy");
}

TEST(DirectXRepair, CachedFilesAreCopiedWhenRightAndReplacedWhenWrong) {
  FakeFiles right;
  right.cache[kFolder + "d3dx9_43.dll"] = kDigest;
  EXPECT_TRUE(RepairDirectXEntry(Entry(1), kFolder, right.Ops()));
  EXPECT_EQ(right.log, (std::vector<std::string>{"copy native"}));

  FakeFiles wrong;
  wrong.cache[kFolder + "d3dx9_43.dll"] = "ffffffffffffffffffffffffffffffff";
  wrong.downloads = {kDigest};
  EXPECT_TRUE(RepairDirectXEntry(Entry(1), kFolder, wrong.Ops()));
  EXPECT_EQ(wrong.log, (std::vector<std::string>{"delete", "download", "copy native"}));

}

TEST(DirectXRepair, WithoutADigestOnlyAFreshHttpsDownloadIsCopied) {
  FakeFiles plain;
  plain.cache[kFolder + "d3dx9_43.dll"] = "anything";
  EXPECT_FALSE(RepairDirectXEntry(Entry(1, ""), kFolder, plain.Ops()));
  EXPECT_TRUE(plain.log.empty());

  FakeFiles secure;
  secure.cache[kFolder + "d3dx9_43.dll"] = "anything";
  secure.downloads = {"fresh"};
  net::CatalogueFile entry = Entry(1, "");
  entry.downloadUrl = "https://cat/files/directx/x64/d3dx9_43.dll";
  EXPECT_TRUE(RepairDirectXEntry(entry, kFolder, secure.Ops()));
  EXPECT_EQ(secure.log, (std::vector<std::string>{"delete", "download", "copy native"}));
  EXPECT_EQ((secure.sys[{entry.filePath, true}]), "fresh");
}

TEST(DirectXRepair, AFileThatCannotBeCopiedIsFetchedAgainThreeTimesAtMost) {
  FakeFiles f;
  f.cache[kFolder + "d3dx9_43.dll"] = kDigest;
  f.downloads = {kDigest, kDigest, kDigest, kDigest};
  f.copyWorks = false;
  EXPECT_FALSE(RepairDirectXEntry(Entry(0), kFolder, f.Ops()));
  EXPECT_EQ(f.attempt, 3);
  EXPECT_EQ(std::count(f.log.begin(), f.log.end(), "copy"), 4);  // the cached one, then three
}

TEST(DirectXRepair, AWrongDigestIsNeverCopied) {
  FakeFiles f;
  f.downloads = {"11111111111111111111111111111111", "22222222222222222222222222222222", "",
                 kDigest};
  EXPECT_FALSE(RepairDirectXEntry(Entry(1), kFolder, f.Ops()));
  EXPECT_EQ(std::count(f.log.begin(), f.log.end(), "copy native"), 0);
}

TEST(DirectXRepair, A64BitFileIsNeverPutOnto32BitWindows) {
  FakeFiles f;
  f.downloads = {kDigest};
  EXPECT_FALSE(DirectXEntryApplies(Entry(1), f.Ops(false)));
  EXPECT_TRUE(DirectXEntryApplies(Entry(0), f.Ops(false)));
  EXPECT_FALSE(RepairDirectXEntry(Entry(1), kFolder, f.Ops(false)));
  EXPECT_TRUE(f.log.empty());
  // And on 32-bit Windows nothing is looked up in a native folder that is not there.
  f.sys[{Entry(1).filePath, false}] = kDigest;
  EXPECT_TRUE(DirectXFileIntact(Entry(1), f.Ops(false)));
}

}  // namespace
