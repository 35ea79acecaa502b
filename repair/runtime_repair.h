#pragma once
#include <functional>
#include <string>

#include "catalogue_rules/catalogue_records.h"
#include "platform/file_hold.h"
#include "platform/md5.h"
#include "repair/publisher_check.h"

namespace repair {

constexpr int kRuntimeDownloadAttempts = 3;
// How long a silent installer may run before the repair stops waiting for it.
constexpr unsigned long kInstallerWaitLimitMs = 15 * 60 * 1000;

// How the wait for a silent installer ended.
struct InstallRun {
  enum class End {
    kNotStarted,  // no process came back
    kExited,      // it ended; exitCode is its exit code
    kTimedOut,    // the wait limit ran out with the installer still running
    kStopped,     // the repair was asked to stop; the installer is left running
  };
  End end = End::kNotStarted;
  unsigned long exitCode = 0;
};

// The bounds of one wait: the limit, and the repair's wish to stop, asked again every few
// tenths of a second (empty: never).
struct InstallWait {
  unsigned long limitMs = kInstallerWaitLimitMs;
  std::function<bool()> stopRequested;
};

// What a runtime repair needs from the system; the program passes the Windows calls
// (SystemRuntimeRepairOps), the tests a recording stand-in or the real ones.
struct RuntimeRepairOps {
  std::function<bool(const std::string& folder)> ensureFolder;
  std::function<bool(const std::string& path)> fileExists;
  std::function<void(const std::string& path)> deleteFile;
  std::function<std::string(const std::string& path)> fileMd5;
  // Fetches url into path; `stop` ends it at once (net::FetchFile).
  std::function<bool(const std::string& url, const std::string& path, const std::function<bool()>& stop)>
      download;
  // Starts the installer hidden, with the folder as its working folder, and waits for it
  // within the bounds given.
  std::function<InstallRun(const std::string& path, const std::string& parameters, const std::string& folder,
                           const InstallWait& wait)>
      install;
  // RuntimeKeyInstalled on the program's side.
  std::function<bool(const net::CatalogueFile& entry)> installed;
  // Keeps the installer from being swapped between its digest check and its run.
  platform::FileHolder holdFile;
  // Asked of the held installer after its digest: only a trusted publisher's installer runs.
  PublisherCheck signedByTrustedPublisher;
  // Asked of the held file when its entry carries the signed catalogue's SHA-256 and size.
  SignedDigestCheck matchesSignedDigest;
  unsigned long installWaitLimitMs = kInstallerWaitLimitMs;
};

// What an installer's exit code says, for the installers of the Visual C++ and .NET packages
// (Windows Installer codes, and 5100 of the 2010 packages' own set-up).
enum class InstallerSaid {
  kDone,            // 0
  kRestartPending,  // 3010, 1641: installed, a restart completes it
  kNewerPresent,    // 1638, 5100: a newer version of the package is there already
  kFailed,          // anything else
};
InstallerSaid ReadInstallerExit(unsigned long exitCode);

// What one entry's repair came to. `installed` is the registry's answer, asked again after the
// installer; the rest is what the installer said, for the page to tell.
struct RuntimeRepairResult {
  bool installed = false;
  bool restartPending = false;
  bool newerPresent = false;
  // The repair was asked to stop while the installer still ran: failed, without a look at a
  // registry that the installer may still be writing.
  bool waitStopped = false;
};

// The local file an entry's installer is kept as in the cache folder (which ends with "\").
std::string RuntimeInstallerPath(const net::CatalogueFile& entry, const std::string& cacheFolder);

// Brings one runtime package onto the machine: reuses a cached installer whose digest still
// matches (see SourceTrusted for entries without one), else downloads it (up to three
// attempts, each checked against the digest); an installer that no trusted publisher signed
// counts as a bad download and never runs. It runs silently once, and asks the registry
// whether the package is installed afterwards. The exit code never makes a package count as
// installed; it only says whether a restart is pending or a newer version was found. A
// download in hand, the tries after it and the wait for the installer end early when
// stopRequested says so.
RuntimeRepairResult RepairRuntimeEntry(const net::CatalogueFile& entry, const std::string& cacheFolder,
                                       const RuntimeRepairOps& ops,
                                       const std::function<bool()>& stopRequested = {});

// Holds a cached or downloaded file against writers and hands back the hold when the file may
// be run or copied: its MD5 matches the entry's (an empty one is enough only where
// digestRequired is false: a fresh https download), its SHA-256 and size match the signed
// catalogue's where the entry has them, and a trusted publisher signed it. A file that fails is
// let go and deleted, so that a refused file is never left on the user's disk. Serves both
// engines, whose operations name these steps alike.
template <typename Ops>
platform::FileHold HoldIfVouchedFor(const std::string& path, const net::CatalogueFile& entry, bool digestRequired,
                                    const Ops& ops) {
  if (platform::FileHold hold = platform::HoldFile(ops.holdFile, path)) {
    // Without an expected digest the file is not read for one.
    const bool digestOk =
        entry.fileMd5.empty() ? !digestRequired : platform::DigestMatches(ops.fileMd5(path), entry.fileMd5);
    // An engine given no check refuses a signed entry's file rather than skip the check.
    const bool signedDigestOk =
        entry.fileSha256.empty() ||
        (ops.matchesSignedDigest && ops.matchesSignedDigest(path, entry.fileSha256, entry.fileSize));
    if (digestOk && signedDigestOk && PublisherVouches(ops.signedByTrustedPublisher, path)) return hold;
  }
  ops.deleteFile(path);
  return {};
}

// Whether the entry's file may be fetched and used at all. Installers run and system files are
// written with administrator rights; an entry without a digest has nothing to check its file
// against, so its file is trusted only when it comes over https, whose certificate the system
// verifies during the download. Such an entry's cached copy is never reused either.
bool SourceTrusted(const net::CatalogueFile& entry);

}  // namespace repair
