#include "repair/directx_repair.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
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
  bool copyLands = true;  // false: the copy reports success but the file is not there after
  bool registrationWorks = true;
  std::string windowsFolder = "C:\\Windows";
  std::vector<std::string> log;
  std::vector<std::pair<std::string, bool>> registered;
  std::set<std::string> unsignedDigests;  // files with these digests carry no trusted signature

  DirectXRepairOps Ops(bool system64Bit = true) {
    DirectXRepairOps ops;
    ops.ensureFolder = [](const std::string&) { return true; };
    ops.cachedFileExists = [this](const std::string& p) { return cache.count(p) > 0; };
    ops.deleteFile = [this](const std::string& p) { log.push_back("delete"); cache.erase(p); };
    ops.fileMd5 = [this](const std::string& p) { return cache.count(p) ? cache[p] : std::string(); };
    ops.download = [this](const std::string&, const std::string& p, const std::function<bool()>&) {
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
      if (copyLands) sys[{to, native}] = cache[from];
      return true;
    };
    ops.removeFromPlace = [this](const std::string& p, bool native) {
      log.push_back(native ? "remove native" : "remove");
      sys.erase({p, native});
    };
    ops.registerServer = [this](const std::string& p, bool native) {
      log.push_back(native ? "register native" : "register");
      registered.push_back({p, native});
      return registrationWorks;
    };
    ops.signedByTrustedPublisher = [this](const std::string& p) { return unsignedDigests.count(cache[p]) == 0; };
    ops.windowsFolder = windowsFolder;
    ops.system64Bit = system64Bit;
    return ops;
  }
};

const std::string kDigest = "0123456789abcdef0123456789abcdef";
const std::string kFolder = "C:\\Local\\Tessavane\\DirectX\\1\\";

net::CatalogueFile Entry(int systemBit, const std::string& md5 = kDigest,
                         const std::string& name = "d3dx9_43.dll") {
  net::CatalogueFile entry;
  entry.systemBit = systemBit;
  entry.fileName = name;
  entry.filePath = "C:\\Windows\\System32\\" + name;
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
  EXPECT_EQ(f.cache.count(kFolder + "d3dx9_43.dll"), 1u);  // a good file stays for the next repair
}

TEST(DirectXRepair, AWrongDigestIsNeverCopied) {
  FakeFiles f;
  f.downloads = {"11111111111111111111111111111111", "22222222222222222222222222222222", "",
                 kDigest};
  EXPECT_FALSE(RepairDirectXEntry(Entry(1), kFolder, f.Ops()));
  EXPECT_EQ(std::count(f.log.begin(), f.log.end(), "copy native"), 0);
  EXPECT_TRUE(f.cache.empty());  // the wrong file is not left in the cache
}

// A DLL whose digest the catalogue names is still refused when no trusted publisher signed it:
// the catalogue's author chose that digest.
TEST(DirectXRepair, AFileNoTrustedPublisherSignedIsNeverCopied) {
  FakeFiles fresh;
  fresh.downloads = {kDigest, kDigest, kDigest};
  fresh.unsignedDigests = {kDigest};
  EXPECT_FALSE(RepairDirectXEntry(Entry(1), kFolder, fresh.Ops()));
  EXPECT_EQ(fresh.attempt, 3);
  EXPECT_EQ(std::count(fresh.log.begin(), fresh.log.end(), "copy native"), 0);
  EXPECT_TRUE(fresh.cache.empty());

  FakeFiles cached;
  cached.cache[kFolder + "d3dx9_43.dll"] = kDigest;
  cached.unsignedDigests = {kDigest};
  EXPECT_FALSE(RepairDirectXEntry(Entry(0), kFolder, cached.Ops()));
  ASSERT_FALSE(cached.log.empty());
  EXPECT_EQ(cached.log[0], "delete");
  EXPECT_EQ(std::count(cached.log.begin(), cached.log.end(), "copy"), 0);

  FakeFiles unchecked;  // a repair handed no check trusts nothing
  unchecked.downloads = {kDigest};
  DirectXRepairOps ops = unchecked.Ops();
  ops.signedByTrustedPublisher = nullptr;
  EXPECT_FALSE(RepairDirectXEntry(Entry(1), kFolder, ops));
  EXPECT_TRUE(unchecked.sys.empty());
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

TEST(DirectXRepair, TheFileIsJudgedAndPlacedInTheRealWindowsFolder) {
  FakeFiles f;
  f.windowsFolder = "D:\\WINNT";
  f.downloads = {kDigest};
  const std::string real = "D:\\WINNT\\System32\\d3dx9_43.dll";
  f.sys[{"C:\\Windows\\System32\\d3dx9_43.dll", true}] = kDigest;  // not where Windows is
  EXPECT_EQ(DirectXTargetPath(Entry(1), f.Ops()), real);
  EXPECT_FALSE(DirectXFileIntact(Entry(1), f.Ops()));
  EXPECT_TRUE(RepairDirectXEntry(Entry(1), kFolder, f.Ops()));
  EXPECT_EQ((f.sys[{real, true}]), kDigest);
  EXPECT_TRUE(DirectXFileIntact(Entry(1), f.Ops()));
}

TEST(DirectXRepair, APathOutsideTheWindowsFolderIsNeitherLookedAtNorWritten) {
  for (const char* path : {"C:\\WindowsOld\\System32\\d3dx9_43.dll", "D:\\Games\\d3dx9_43.dll",
                           "C:\\Windows\\System32\\..\\..\\d3dx9_43.dll"}) {
    FakeFiles f;
    f.downloads = {kDigest};
    net::CatalogueFile entry = Entry(0);
    entry.filePath = path;
    f.sys[{path, false}] = kDigest;
    EXPECT_FALSE(DirectXFileIntact(entry, f.Ops())) << path;
    EXPECT_FALSE(RepairDirectXEntry(entry, kFolder, f.Ops())) << path;
    EXPECT_TRUE(f.log.empty()) << path;
  }
}

TEST(DirectXRepair, AudioComServersAreRegisteredAfterTheirCopyAndOthersAreNot) {
  FakeFiles audio;
  audio.windowsFolder = "E:\\Windows";
  audio.downloads = {kDigest};
  EXPECT_TRUE(RepairDirectXEntry(Entry(1, kDigest, "XAudio2_7.dll"), kFolder, audio.Ops()));
  EXPECT_EQ(audio.log, (std::vector<std::string>{"download", "copy native", "register native"}));
  EXPECT_EQ(audio.registered,
            (std::vector<std::pair<std::string, bool>>{{"E:\\Windows\\System32\\XAudio2_7.dll", true}}));

  FakeFiles engine;
  engine.cache[kFolder + "xactengine3_7.dll"] = kDigest;
  EXPECT_TRUE(RepairDirectXEntry(Entry(0, kDigest, "xactengine3_7.dll"), kFolder, engine.Ops()));
  EXPECT_EQ(engine.log, (std::vector<std::string>{"copy", "register"}));

  for (const char* name : {"d3dx9_43.dll", "xaudio2_8.dll", "x3daudio1_7.dll", "xinput1_3.dll"}) {
    FakeFiles plain;
    plain.downloads = {kDigest};
    EXPECT_TRUE(RepairDirectXEntry(Entry(0, kDigest, name), kFolder, plain.Ops())) << name;
    EXPECT_TRUE(plain.registered.empty()) << name;
  }
}

TEST(DirectXRepair, AFailedRegistrationFailsTheRepairAndTakesTheCopyAway) {
  FakeFiles f;
  f.downloads = {kDigest, kDigest, kDigest};
  f.registrationWorks = false;
  net::CatalogueFile entry = Entry(0, kDigest, "xaudio2_7.dll");
  EXPECT_FALSE(RepairDirectXEntry(entry, kFolder, f.Ops()));
  // Registered once: another download would bring the same bytes.
  EXPECT_EQ(f.log, (std::vector<std::string>{"download", "copy", "register", "remove"}));
  EXPECT_FALSE(DirectXFileIntact(entry, f.Ops()));
}

TEST(DirectXRepair, ACopyThatReportsSuccessIsLookedForBeforeSuccessIsClaimed) {
  FakeFiles f;
  f.downloads = {kDigest};
  f.copyLands = false;
  EXPECT_FALSE(RepairDirectXEntry(Entry(1), kFolder, f.Ops()));
  FakeFiles audio;
  audio.downloads = {kDigest};
  audio.copyLands = false;
  EXPECT_FALSE(RepairDirectXEntry(Entry(1, kDigest, "xaudio2_7.dll"), kFolder, audio.Ops()));
}

}  // namespace

namespace {

TEST(DirectXRepair, AStopDuringTheDownloadEndsTheTries) {
  FakeFiles f;
  DirectXRepairOps ops = f.Ops();
  bool goingAway = false;
  std::vector<bool> heard;
  ops.download = [&](const std::string&, const std::string&, const std::function<bool()>& stop) {
    f.log.push_back("download");
    goingAway = true;  // the page goes while this download runs
    heard.push_back(stop && stop());
    return false;
  };
  EXPECT_FALSE(RepairDirectXEntry(Entry(1), kFolder, ops, [&] { return goingAway; }));
  EXPECT_EQ(f.log, std::vector<std::string>{"download"});
  EXPECT_EQ(heard, std::vector<bool>{true});
}

}  // namespace
