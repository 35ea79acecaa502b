#include "repair/local_repair_engines.h"

#include "platform/files_and_folders.h"
#include "net/user_paths.h"
#include "repair/directx_repair_system.h"
#include "repair/registry_path.h"
#include "repair/runtime_repair_system.h"

namespace repair {

bool RuntimePresentHere(const net::CatalogueFile& entry) {
  return RuntimeKeyInstalled(entry);
}

RuntimeRepairResult RepairRuntimeHere(const net::CatalogueFile& entry,
                                      const std::function<bool()>& stopRequested) {
  return RepairRuntimeEntry(entry, net::RundllFolder(platform::RepairCacheBase()), SystemRuntimeRepairOps(),
                            stopRequested);
}

bool DirectXPresentHere(const net::CatalogueFile& entry) {
  return DirectXFileIntact(entry, SystemDirectXRepairOps());
}

bool DirectXAppliesHere(const net::CatalogueFile& entry) {
  return DirectXEntryApplies(entry, SystemDirectXRepairOps());
}

bool RepairDirectXHere(const net::CatalogueFile& entry, const std::function<bool()>& stopRequested) {
  // Files of the same name but another systemBit are other files: each bit has its folder.
  return RepairDirectXEntry(entry, net::DirectXFolder(platform::RepairCacheBase(), entry.systemBit),
                            SystemDirectXRepairOps(), stopRequested);
}

}  // namespace repair
