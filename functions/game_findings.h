#pragma once
#include <functional>
#include <string>

#include "catalogue_rules/catalogue_records.h"

// What the game check finds missing: the runtime packages that games need and the DirectX
// files, kept as copies for the repair.
namespace functions {

struct GameFindings {
  net::CatalogueList runtime;
  net::CatalogueList directx;
  bool Faulty() const { return !runtime.empty() || !directx.empty(); }
};

// How an entry is judged on this machine: a runtime package by its registry key, a DirectX
// file at its path.
struct GameProbes {
  std::function<bool(const net::CatalogueFile& entry)> runtimePresent;
  std::function<bool(const net::CatalogueFile& entry)> directxPresent;
};

// The runtime entries that games need (gameRepair) and every DirectX entry, each judged in
// catalogue order; the absent ones are kept. Other runtime entries are not looked at.
GameFindings CollectGameFindings(const net::CatalogueList& runtime,
                                 const net::CatalogueList& directx, const GameProbes& probes);

// The closing line of a repair that left entries missing: how many, and the first names
// (`nameOf` turns a catalogue name into display text).
std::wstring StillMissingText(const GameFindings& findings,
                              const std::function<std::wstring(const std::string&)>& nameOf);

}  // namespace functions
