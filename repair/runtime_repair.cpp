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
bool CachedInstallerUsable(const net::CatalogueFile& entry, const std::string& path, const RuntimeRepairOps& ops) {
  if (!ops.fileExists(path)) return false;
  if (!entry.fileMd5.empty() && DigestMatches(ops.fileMd5(path), entry.fileMd5)) return true;
  ops.deleteFile(path);
  return false;
}

bool DownloadInstaller(const net::CatalogueFile& entry, const std::string& path, const RuntimeRepairOps& ops) {
  for (int attempt = 0; attempt < kRuntimeDownloadAttempts; ++attempt) {
    if (ops.download(entry.downloadUrl, path) && ops.fileExists(path) &&
        (entry.fileMd5.empty() || DigestMatches(ops.fileMd5(path), entry.fileMd5)))
      return true;
  }
  return false;
}

}  // namespace

bool DigestMatches(const std::string& actual, const std::string& expected) {
  return expected.empty() || Lower(actual) == Lower(expected);
}

bool SourceTrusted(const net::CatalogueFile& entry) {
  return !entry.fileMd5.empty() || Lower(entry.downloadUrl).rfind("https://", 0) == 0;
}

std::string RuntimeInstallerPath(const net::CatalogueFile& entry, const std::string& cacheFolder) {
  return cacheFolder + platform::LastUrlSegment(entry.downloadUrl);
}

bool RepairRuntimeEntry(const net::CatalogueFile& entry, const std::string& cacheFolder,
                        const RuntimeRepairOps& ops) {
  if (!SourceTrusted(entry) || !ops.ensureFolder(cacheFolder)) return false;
  std::string path = RuntimeInstallerPath(entry, cacheFolder);
  if (platform::LastUrlSegment(entry.downloadUrl).empty()) return false;  // no file to keep
  if (!CachedInstallerUsable(entry, path, ops) && !DownloadInstaller(entry, path, ops)) return false;
  ops.install(path, entry.silentParam, cacheFolder);
  return ops.installed(entry.regeditName);
}

}  // namespace repair
