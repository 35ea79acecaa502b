#pragma once
#include <functional>

#include "catalogue_rules/catalogue_records.h"
#include "repair/runtime_repair.h"

// The runtime and DirectX engines on this machine: its registry and system folders, the
// program's admin-only cache folders, libcurl and the shell. Every page that judges or repairs an
// entry goes through these.
namespace repair {

bool RuntimePresentHere(const net::CatalogueFile& entry);
// stopRequested, when given, ends the wait for the installer (see RepairRuntimeEntry).
RuntimeRepairResult RepairRuntimeHere(const net::CatalogueFile& entry,
                                      const std::function<bool()>& stopRequested = {});
bool DirectXPresentHere(const net::CatalogueFile& entry);
// Whether the entry belongs on this machine: a 64-bit file only on 64-bit Windows.
bool DirectXAppliesHere(const net::CatalogueFile& entry);
// stopRequested, when given, ends a download in hand (see RepairDirectXEntry).
bool RepairDirectXHere(const net::CatalogueFile& entry, const std::function<bool()>& stopRequested = {});

}  // namespace repair
