#include "repair/runtime_repair.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "repair/registry_path.h"

namespace {

using namespace repair;

// A machine in memory: files with their digests, downloads that hand out a given digest (or
// fail), installers that register their key when they are the right file.
struct FakeMachine {
  std::map<std::string, std::string> files;  // path -> digest of its content
  std::vector<std::string> downloadDigests;  // what each download attempt produces; "" fails
  std::vector<std::string> log;
  std::set<std::string> registry;
  std::string goodDigest = "ABCDEF0123456789abcdef0123456789";
  bool folderOk = true;
  // How the installer's run ends, and whether it registers the key.
  InstallRun run{InstallRun::End::kExited, 0};
  bool installerRegisters = true;
  std::vector<InstallWait> waits;
  std::set<std::string> unsignedDigests;  // files with these digests carry no trusted signature

  RuntimeRepairOps Ops() {
    RuntimeRepairOps ops{[this](const std::string&) { return folderOk; },
            [this](const std::string& p) { return files.count(p) > 0; },
            [this](const std::string& p) { log.push_back("delete " + p); files.erase(p); },
            [this](const std::string& p) { return files.count(p) ? files[p] : std::string(); },
            [this](const std::string& url, const std::string& p, const std::function<bool()>& stop) {
              log.push_back("download " + url);
              if (stop && stop()) return false;
              size_t attempt = std::count_if(log.begin(), log.end(), [](const std::string& l) {
                return l.rfind("download ", 0) == 0;
              });
              std::string digest = attempt <= downloadDigests.size() ? downloadDigests[attempt - 1] : "";
              if (digest.empty()) return false;
              files[p] = digest;
              return true;
            },
            [this](const std::string& p, const std::string& params, const std::string& folder,
                   const InstallWait& wait) {
              log.push_back("install " + p + " " + params + " in " + folder);
              waits.push_back(wait);
              if (platform::DigestMatches(files[p], goodDigest) && installerRegisters) registry.insert("HKEY_LOCAL_MACHINE\\K");
              return run;
            },
            [this](const net::CatalogueFile& entry) { return registry.count(entry.regeditName) > 0; }};
    ops.signedByTrustedPublisher = [this](const std::string& p) { return unsignedDigests.count(files[p]) == 0; };
    return ops;
  }
};

net::CatalogueFile Entry(const std::string& md5) {
  net::CatalogueFile entry;
  entry.downloadUrl = "http://cat/files/runtime/vc_redist.x86.exe";
  entry.fileMd5 = md5;
  entry.regeditName = "HKEY_LOCAL_MACHINE\\K";
  entry.silentParam = "/install /quiet";
  return entry;
}

const std::string kFolder = "C:\\Local\\Tessavane\\Rundll\\";
const std::string kPath = kFolder + "vc_redist.x86.exe";

TEST(RuntimeRepair, DownloadsChecksInstallsAndAsksTheRegistry) {
  FakeMachine m;
  m.downloadDigests = {"abcdef0123456789abcdef0123456789"};  // same digest, other letter case
  EXPECT_TRUE(RepairRuntimeEntry(Entry(m.goodDigest), kFolder, m.Ops()).installed);
  EXPECT_EQ(m.log, (std::vector<std::string>{"download http://cat/files/runtime/vc_redist.x86.exe",
                                             "install " + kPath + " /install /quiet in " + kFolder}));
}

TEST(RuntimeRepair, AValidCachedInstallerIsUsedWithoutADownload) {
  FakeMachine m;
  m.files[kPath] = m.goodDigest;
  EXPECT_TRUE(RepairRuntimeEntry(Entry(m.goodDigest), kFolder, m.Ops()).installed);
  ASSERT_EQ(m.log.size(), 1u);
  EXPECT_EQ(m.log[0].rfind("install ", 0), 0u);
}

TEST(RuntimeRepair, WithoutADigestOnlyAFreshHttpsDownloadIsRun) {
  FakeMachine plain;
  plain.goodDigest = "";  // the fake installer registers whatever it is
  plain.files[kPath] = "whatever";
  EXPECT_FALSE(RepairRuntimeEntry(Entry(""), kFolder, plain.Ops()).installed);
  EXPECT_TRUE(plain.log.empty());  // neither the cached file nor a download over http

  FakeMachine secure;
  secure.goodDigest = "";
  secure.files[kPath] = "whatever";
  secure.downloadDigests = {"fresh"};
  net::CatalogueFile entry = Entry("");
  entry.downloadUrl = "HTTPS://cat/files/runtime/vc_redist.x86.exe";
  EXPECT_TRUE(RepairRuntimeEntry(entry, kFolder, secure.Ops()).installed);
  EXPECT_EQ(secure.log, (std::vector<std::string>{"delete " + kPath, "download " + entry.downloadUrl,
                                                  "install " + kPath + " /install /quiet in " + kFolder}));
  EXPECT_EQ(secure.files[kPath], "fresh");
}

TEST(RuntimeRepair, AStaleCachedFileIsDeletedBeforeTheDownload) {
  FakeMachine m;
  m.files[kPath] = "00000000000000000000000000000000";
  m.downloadDigests = {m.goodDigest};
  EXPECT_TRUE(RepairRuntimeEntry(Entry(m.goodDigest), kFolder, m.Ops()).installed);
  ASSERT_GE(m.log.size(), 2u);
  EXPECT_EQ(m.log[0], "delete " + kPath);
  EXPECT_EQ(m.log[1].rfind("download ", 0), 0u);
}

TEST(RuntimeRepair, ThreeFailedOrWrongDownloadsGiveUpWithoutInstalling) {
  FakeMachine m;
  m.downloadDigests = {"", "11111111111111111111111111111111", "", m.goodDigest};
  EXPECT_FALSE(RepairRuntimeEntry(Entry(m.goodDigest), kFolder, m.Ops()).installed);
  EXPECT_EQ(std::count_if(m.log.begin(), m.log.end(), [](const std::string& l) { return l.rfind("download", 0) == 0; }), 3);
  EXPECT_EQ(std::count_if(m.log.begin(), m.log.end(), [](const std::string& l) { return l.rfind("install", 0) == 0; }), 0);
  EXPECT_EQ(m.files.count(kPath), 0u);  // the wrong file is not left in the cache
}

TEST(RuntimeRepair, TheThirdAttemptMayStillSucceed) {
  FakeMachine m;
  m.downloadDigests = {"", "22222222222222222222222222222222", m.goodDigest};
  EXPECT_TRUE(RepairRuntimeEntry(Entry(m.goodDigest), kFolder, m.Ops()).installed);
}

size_t Count(const std::vector<std::string>& log, const std::string& prefix) {
  return std::count_if(log.begin(), log.end(), [&](const std::string& l) { return l.rfind(prefix, 0) == 0; });
}

// The digest only says the file is the one the catalogue names; whoever wrote the catalogue
// chose that file, so the signature must vouch for it too.
TEST(RuntimeRepair, AnInstallerNoTrustedPublisherSignedNeverRuns) {
  FakeMachine fresh;
  fresh.downloadDigests = {fresh.goodDigest, fresh.goodDigest, fresh.goodDigest};
  fresh.unsignedDigests = {fresh.goodDigest};
  EXPECT_FALSE(RepairRuntimeEntry(Entry(fresh.goodDigest), kFolder, fresh.Ops()).installed);
  EXPECT_EQ(Count(fresh.log, "download "), 3u);
  EXPECT_EQ(Count(fresh.log, "install "), 0u);
  EXPECT_EQ(fresh.files.count(kPath), 0u);

  FakeMachine cached;  // a cached copy with the right digest but no signature goes
  cached.files[kPath] = cached.goodDigest;
  cached.unsignedDigests = {cached.goodDigest};
  EXPECT_FALSE(RepairRuntimeEntry(Entry(cached.goodDigest), kFolder, cached.Ops()).installed);
  ASSERT_FALSE(cached.log.empty());
  EXPECT_EQ(cached.log[0], "delete " + kPath);
  EXPECT_EQ(Count(cached.log, "install "), 0u);

  FakeMachine unchecked;  // a repair handed no check trusts nothing
  unchecked.downloadDigests = {unchecked.goodDigest};
  RuntimeRepairOps ops = unchecked.Ops();
  ops.signedByTrustedPublisher = nullptr;
  EXPECT_FALSE(RepairRuntimeEntry(Entry(unchecked.goodDigest), kFolder, ops).installed);
  EXPECT_EQ(Count(unchecked.log, "install "), 0u);
}

TEST(RuntimeRepair, WithoutADigestALaterSignedDownloadStillRuns) {
  FakeMachine m;
  m.goodDigest = "";
  m.downloadDigests = {"swapped on the way", "as published"};
  m.unsignedDigests = {"swapped on the way"};
  net::CatalogueFile entry = Entry("");
  entry.downloadUrl = "https://cat/files/runtime/vc_redist.x86.exe";
  EXPECT_TRUE(RepairRuntimeEntry(entry, kFolder, m.Ops()).installed);
  EXPECT_EQ(Count(m.log, "download "), 2u);
  EXPECT_EQ(Count(m.log, "install "), 1u);
  EXPECT_EQ(m.files[kPath], "as published");
}

TEST(RuntimeRepair, AnInstallerThatRegistersNothingIsAFailure) {
  FakeMachine m;
  m.downloadDigests = {m.goodDigest};
  net::CatalogueFile entry = Entry(m.goodDigest);
  entry.regeditName = "HKEY_LOCAL_MACHINE\\Other";
  EXPECT_FALSE(RepairRuntimeEntry(entry, kFolder, m.Ops()).installed);
}

TEST(RuntimeRepair, NoFolderOrNoFileNameMeansNoAttempt) {
  FakeMachine m;
  m.folderOk = false;
  EXPECT_FALSE(RepairRuntimeEntry(Entry(m.goodDigest), kFolder, m.Ops()).installed);
  FakeMachine n;
  net::CatalogueFile entry = Entry(n.goodDigest);
  entry.downloadUrl = "http://cat/files/";
  EXPECT_FALSE(RepairRuntimeEntry(entry, kFolder, n.Ops()).installed);
  EXPECT_TRUE(m.log.empty());
  EXPECT_TRUE(n.log.empty());
}

TEST(InstallerExitCodes, SuccessRestartNewerAndFailure) {
  EXPECT_EQ(ReadInstallerExit(0), InstallerSaid::kDone);
  EXPECT_EQ(ReadInstallerExit(3010), InstallerSaid::kRestartPending);
  EXPECT_EQ(ReadInstallerExit(1641), InstallerSaid::kRestartPending);
  EXPECT_EQ(ReadInstallerExit(1638), InstallerSaid::kNewerPresent);
  EXPECT_EQ(ReadInstallerExit(5100), InstallerSaid::kNewerPresent);
  for (unsigned long other : {1ul, 1602ul, 1603ul, 1618ul, 3011ul, 0xC0000005ul})
    EXPECT_EQ(ReadInstallerExit(other), InstallerSaid::kFailed) << other;
}

// The registry decides the outcome in every case; the exit code only adds what to tell.
TEST(RuntimeRepair, TheExitCodeAddsToTheRegistrysAnswerButNeverReplacesIt) {
  struct Case {
    unsigned long code;
    bool registers;
    bool installed, restart, newer;
  };
  for (Case c : {Case{0, true, true, false, false}, Case{3010, true, true, true, false},
                 Case{1641, false, false, true, false},  // restart first, key afterwards
                 Case{1638, false, false, false, true}, Case{5100, true, true, false, true},
                 Case{0, false, false, false, false}, Case{1603, true, true, false, false}}) {
    FakeMachine m;
    m.downloadDigests = {m.goodDigest};
    m.run = {InstallRun::End::kExited, c.code};
    m.installerRegisters = c.registers;
    const RuntimeRepairResult result = RepairRuntimeEntry(Entry(m.goodDigest), kFolder, m.Ops());
    EXPECT_EQ(result.installed, c.installed) << c.code;
    EXPECT_EQ(result.restartPending, c.restart) << c.code;
    EXPECT_EQ(result.newerPresent, c.newer) << c.code;
    EXPECT_FALSE(result.waitStopped);
  }
}

// An installer that says a newer version is there, with the key still missing, is run once:
// no second install from the cache or a new download in the same repair.
TEST(RuntimeRepair, ANewerVersionReportWithTheKeyMissingIsNotInstalledAgain) {
  FakeMachine m;
  m.downloadDigests = {m.goodDigest, m.goodDigest};
  m.run = {InstallRun::End::kExited, 1638};
  m.installerRegisters = false;
  const RuntimeRepairResult result = RepairRuntimeEntry(Entry(m.goodDigest), kFolder, m.Ops());
  EXPECT_FALSE(result.installed);
  EXPECT_TRUE(result.newerPresent);
  EXPECT_EQ(std::count_if(m.log.begin(), m.log.end(), [](const std::string& l) { return l.rfind("install", 0) == 0; }), 1);
  EXPECT_EQ(std::count_if(m.log.begin(), m.log.end(), [](const std::string& l) { return l.rfind("download", 0) == 0; }), 1);
}

// A wait that the repair ended leaves a row that failed, without asking a registry the
// installer may still be writing; a wait that ran out is judged by the registry.
TEST(RuntimeRepair, AStoppedWaitFailsAndATimedOutOneAsksTheRegistry) {
  FakeMachine stopped;
  stopped.downloadDigests = {stopped.goodDigest};
  stopped.run = {InstallRun::End::kStopped, 0};
  RuntimeRepairOps ops = stopped.Ops();
  ops.installWaitLimitMs = 1234;
  bool asked = false;
  ops.installed = [&](const net::CatalogueFile&) { asked = true; return true; };
  // Asked to stop once the installer runs (the download before it asks too).
  int stopChecks = 0;
  const RuntimeRepairResult result = RepairRuntimeEntry(Entry(stopped.goodDigest), kFolder, ops, [&] {
    ++stopChecks;
    return !stopped.waits.empty();
  });
  EXPECT_FALSE(result.installed);
  EXPECT_TRUE(result.waitStopped);
  EXPECT_FALSE(asked);
  // The wait got the limit and the repair's own stop question.
  ASSERT_EQ(stopped.waits.size(), 1u);
  EXPECT_EQ(stopped.waits[0].limitMs, 1234u);
  ASSERT_TRUE(stopped.waits[0].stopRequested);
  const int asksBefore = stopChecks;
  EXPECT_TRUE(stopped.waits[0].stopRequested());
  EXPECT_EQ(stopChecks, asksBefore + 1);

  for (bool registers : {true, false}) {
    FakeMachine late;
    late.downloadDigests = {late.goodDigest};
    late.run = {InstallRun::End::kTimedOut, 0};
    late.installerRegisters = registers;
    const RuntimeRepairResult r = RepairRuntimeEntry(Entry(late.goodDigest), kFolder, late.Ops());
    EXPECT_EQ(r.installed, registers);
    EXPECT_FALSE(r.waitStopped);
    EXPECT_FALSE(r.restartPending);
    EXPECT_EQ(late.waits.at(0).limitMs, kInstallerWaitLimitMs);
  }
}

TEST(RegistryPathText, RootNamesAndMalformedPaths) {
  RegistryPath p;
  ASSERT_TRUE(ParseRegistryPath("HKEY_LOCAL_MACHINE\\SOFTWARE\\X", p));
  EXPECT_TRUE(p.localMachine);
  EXPECT_EQ(p.subKey, "SOFTWARE\\X");
  for (const char* other : {"HKEY_CURRENT_USER\\S", "hkey_local_machine\\S", "HKLM\\S", "HKEY_LOCAL_MACHINE2\\S"}) {
    ASSERT_TRUE(ParseRegistryPath(other, p)) << other;
    EXPECT_FALSE(p.localMachine) << other;
    EXPECT_EQ(p.subKey, "S");
  }
  EXPECT_FALSE(ParseRegistryPath("", p));
  EXPECT_FALSE(ParseRegistryPath("\\SOFTWARE\\X", p));
  EXPECT_FALSE(ParseRegistryPath("HKEY_LOCAL_MACHINE", p));
}

// The installer is held against writers from before its digest is read until it has run, so
// what ran is what was checked; a file that cannot be held is not run.
TEST(RuntimeRepair, TheCheckedInstallerIsHeldUntilItHasRun) {
  FakeMachine m;
  m.downloadDigests = {m.goodDigest};
  RuntimeRepairOps ops = m.Ops();
  ops.holdFile = [&m](const std::string& path) {
    m.log.push_back("hold " + path);
    return platform::FileHold(new int(0), [&m, path](void* p) {
      m.log.push_back("release " + path);
      delete static_cast<int*>(p);
    });
  };
  const auto digest = ops.fileMd5;
  ops.fileMd5 = [&m, digest](const std::string& path) {
    m.log.push_back("digest " + path);
    return digest(path);
  };
  EXPECT_TRUE(RepairRuntimeEntry(Entry(m.goodDigest), kFolder, ops).installed);
  EXPECT_EQ(m.log, (std::vector<std::string>{"download http://cat/files/runtime/vc_redist.x86.exe",
                                             "hold " + kPath, "digest " + kPath,
                                             "install " + kPath + " /install /quiet in " + kFolder,
                                             "release " + kPath}));

  FakeMachine busy;
  busy.files[kPath] = busy.goodDigest;
  busy.downloadDigests = {busy.goodDigest};
  RuntimeRepairOps unholdable = busy.Ops();
  unholdable.holdFile = [](const std::string&) { return platform::FileHold(); };
  EXPECT_FALSE(RepairRuntimeEntry(Entry(busy.goodDigest), kFolder, unholdable).installed);
  EXPECT_EQ(std::count_if(busy.log.begin(), busy.log.end(),
                          [](const std::string& l) { return l.rfind("install", 0) == 0; }), 0);
}

}  // namespace

namespace {

// The page going during a download: the download hears the repair's own stop question, and no
// further try starts, so the closing program does not wait for three downloads.
TEST(RuntimeRepair, AStopDuringTheDownloadEndsTheTriesAndRunsNothing) {
  FakeMachine m;  // every download fails, unless stopped first
  const RuntimeRepairResult result = RepairRuntimeEntry(Entry(m.goodDigest), kFolder, m.Ops(), [&] {
    return std::count(m.log.begin(), m.log.end(), "download http://cat/files/runtime/vc_redist.x86.exe") > 0;
  });
  EXPECT_FALSE(result.installed);
  EXPECT_EQ(m.log, (std::vector<std::string>{"download http://cat/files/runtime/vc_redist.x86.exe"}));
}

}  // namespace
