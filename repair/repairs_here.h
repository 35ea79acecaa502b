#pragma once
#include "net/catalogue_records.h"

// The runtime and DirectX engines on this machine: its registry and system folders, the
// current user's cache folders, urlmon and the shell. Every page that judges or repairs an
// entry goes through these.
namespace repair {

bool RuntimePresentHere(const net::CatalogueFile& entry);
bool RepairRuntimeHere(const net::CatalogueFile& entry);
bool DirectXPresentHere(const net::CatalogueFile& entry);
bool RepairDirectXHere(const net::CatalogueFile& entry);

}  // namespace repair
