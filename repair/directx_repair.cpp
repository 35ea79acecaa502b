#include "repair/directx_repair.h"

#include "repair/runtime_repair.h"

namespace repair {

namespace {

bool NativeFolder(const net::CatalogueFile& entry) { return entry.systemBit == 1; }

bool CopyCached(const net::CatalogueFile& entry, const std::string& local, const DirectXRepairOps& ops) {
  if (!ops.cachedFileExists(local)) return false;
  FileHold hold = HoldFile(ops.holdFile, local);
  // Without a digest a cached file proves nothing and goes, as a stale one does.
  if (!hold || entry.fileMd5.empty() || !DigestMatches(ops.fileMd5(local), entry.fileMd5)) {
    hold.reset();
    ops.deleteFile(local);
    return false;
  }
  return ops.copyIntoPlace(local, entry.filePath, NativeFolder(entry));
}

}  // namespace

bool DirectXEntryApplies(const net::CatalogueFile& entry, const DirectXRepairOps& ops) {
  return entry.systemBit != 1 || ops.system64Bit;
}

bool DirectXFileIntact(const net::CatalogueFile& entry, const DirectXRepairOps& ops) {
  return ops.systemFileExists(entry.filePath, NativeFolder(entry) && ops.system64Bit);
}

bool RepairDirectXEntry(const net::CatalogueFile& entry, const std::string& cacheFolder,
                        const DirectXRepairOps& ops) {
  if (!DirectXEntryApplies(entry, ops) || !SourceTrusted(entry) || entry.fileName.empty() ||
      entry.filePath.empty())
    return false;
  if (!ops.ensureFolder(cacheFolder)) return false;
  std::string local = cacheFolder + entry.fileName;
  if (CopyCached(entry, local, ops)) return true;
  for (int attempt = 0; attempt < kDirectXDownloadAttempts; ++attempt) {
    if (!ops.download(entry.downloadUrl, local) || !ops.cachedFileExists(local)) continue;
    FileHold hold = HoldFile(ops.holdFile, local);
    if (hold && DigestMatches(ops.fileMd5(local), entry.fileMd5) &&
        ops.copyIntoPlace(local, entry.filePath, NativeFolder(entry)))
      return true;
  }
  return false;
}

}  // namespace repair
