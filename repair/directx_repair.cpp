#include "repair/directx_repair.h"

#include "platform/path_text.h"
#include "platform/windows_folder.h"
#include "repair/com_registration.h"
#include "repair/runtime_repair.h"

namespace repair {

namespace {

bool NativeFolder(const net::CatalogueFile& entry) { return entry.systemBit == 1; }

bool CopyCached(const net::CatalogueFile& entry, const std::string& local, const std::string& target,
                const DirectXRepairOps& ops) {
  if (!ops.cachedFileExists(local)) return false;
  // Without a digest a cached file proves nothing and goes, as a stale or unsigned one does.
  platform::FileHold hold = HoldIfVouchedFor(local, entry, true, ops);
  return hold && ops.copyIntoPlace(local, target, NativeFolder(entry));
}

bool DownloadAndCopy(const net::CatalogueFile& entry, const std::string& local, const std::string& target,
                     const DirectXRepairOps& ops, const std::function<bool()>& stop) {
  for (int attempt = 0; attempt < kDirectXDownloadAttempts; ++attempt) {
    if (stop && stop()) return false;
    if (!ops.download(entry.downloadUrl, local, stop) || !ops.cachedFileExists(local)) continue;
    // A file that was only not copied stays in the cache for the next repair.
    platform::FileHold hold = HoldIfVouchedFor(local, entry, false, ops);
    if (hold && ops.copyIntoPlace(local, target, NativeFolder(entry))) return true;
  }
  return false;
}

}  // namespace

std::string DirectXTargetPath(const net::CatalogueFile& entry, const DirectXRepairOps& ops) {
  return platform::MapWindowsFolder(entry.filePath, ops.windowsFolder);
}

bool DirectXEntryApplies(const net::CatalogueFile& entry, const DirectXRepairOps& ops) {
  return entry.systemBit != 1 || ops.system64Bit;
}

bool DirectXFileIntact(const net::CatalogueFile& entry, const DirectXRepairOps& ops) {
  const std::string target = DirectXTargetPath(entry, ops);
  return !target.empty() && ops.systemFileExists(target, NativeFolder(entry) && ops.system64Bit);
}

bool RepairDirectXEntry(const net::CatalogueFile& entry, const std::string& cacheFolder,
                        const DirectXRepairOps& ops, const std::function<bool()>& stopRequested) {
  const std::string target = DirectXTargetPath(entry, ops);
  if (!DirectXEntryApplies(entry, ops) || !SourceTrusted(entry) || entry.fileName.empty() ||
      target.empty())
    return false;
  if (!ops.ensureFolder(cacheFolder)) return false;
  const std::string local = cacheFolder + entry.fileName;
  if (!CopyCached(entry, local, target, ops) && !DownloadAndCopy(entry, local, target, ops, stopRequested))
    return false;
  // A registration that fails is not a bad download: fetching the file again would not help.
  // The placed file's name decides, not a catalogue flag: a COM server copied without its
  // classes is as good as missing.
  const bool native = NativeFolder(entry);
  if (NeedsComRegistration(platform::FileNameOfPath(target)) && !ops.registerServer(target, native)) {
    ops.removeFromPlace(target, native);
    return false;
  }
  return ops.systemFileExists(target, native);
}

}  // namespace repair
