#include "repair/runtime_repair.h"

#include <cctype>

#include "platform/path_text.h"

namespace repair {

namespace {

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// A cached installer is used when it is still the one the catalogue names; a stale one goes,
// so that the download starts from nothing.
// A cached file without a digest to hold it against could be anything that landed there, so
// it is never run.
// On success the file is held (see FileHold) from before its check until the caller lets go.
bool CachedInstallerUsable(const net::CatalogueFile& entry, const std::string& path, const RuntimeRepairOps& ops,
                           platform::FileHold& hold) {
  if (!ops.fileExists(path)) return false;
  hold = HoldIfVouchedFor(path, entry, true, ops);
  return hold != nullptr;
}

bool DownloadInstaller(const net::CatalogueFile& entry, const std::string& path, const RuntimeRepairOps& ops,
                       const std::function<bool()>& stop, platform::FileHold& hold) {
  for (int attempt = 0; attempt < kRuntimeDownloadAttempts; ++attempt) {
    if (stop && stop()) return false;
    if (!ops.download(entry.downloadUrl, path, stop) || !ops.fileExists(path)) continue;
    hold = HoldIfVouchedFor(path, entry, false, ops);
    if (hold) return true;
  }
  return false;
}

}  // namespace

bool SourceTrusted(const net::CatalogueFile& entry) {
  return !entry.fileMd5.empty() || Lower(entry.downloadUrl).rfind("https://", 0) == 0;
}

std::string RuntimeInstallerPath(const net::CatalogueFile& entry, const std::string& cacheFolder) {
  return cacheFolder + platform::LastUrlSegment(entry.downloadUrl);
}

InstallerSaid ReadInstallerExit(unsigned long exitCode) {
  switch (exitCode) {
    case 0:
      return InstallerSaid::kDone;
    case 3010:  // ERROR_SUCCESS_REBOOT_REQUIRED
    case 1641:  // ERROR_SUCCESS_REBOOT_INITIATED
      return InstallerSaid::kRestartPending;
    case 1638:  // ERROR_PRODUCT_VERSION
    case 5100:
      return InstallerSaid::kNewerPresent;
    default:
      return InstallerSaid::kFailed;
  }
}

RuntimeRepairResult RepairRuntimeEntry(const net::CatalogueFile& entry, const std::string& cacheFolder,
                                       const RuntimeRepairOps& ops,
                                       const std::function<bool()>& stopRequested) {
  RuntimeRepairResult result;
  if (!SourceTrusted(entry) || !ops.ensureFolder(cacheFolder)) return result;
  std::string path = RuntimeInstallerPath(entry, cacheFolder);
  if (platform::LastUrlSegment(entry.downloadUrl).empty()) return result;  // no file to keep
  platform::FileHold hold;
  if (!CachedInstallerUsable(entry, path, ops, hold) && !DownloadInstaller(entry, path, ops, stopRequested, hold))
    return result;
  // One run only, whatever it says: an installer that found a newer version would say the
  // same again, and one that failed is not made better by a second try in the same repair.
  const InstallRun run = ops.install(path, entry.silentParam, cacheFolder, {ops.installWaitLimitMs, stopRequested});
  hold.reset();
  if (run.end == InstallRun::End::kStopped) {
    result.waitStopped = true;
    return result;
  }
  if (run.end == InstallRun::End::kExited) {
    const InstallerSaid said = ReadInstallerExit(run.exitCode);
    result.restartPending = said == InstallerSaid::kRestartPending;
    result.newerPresent = said == InstallerSaid::kNewerPresent;
  }
  result.installed = ops.installed(entry);
  return result;
}

}  // namespace repair
