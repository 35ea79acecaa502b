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
  int checked = 0;  // entries looked at, missing or not
  bool Faulty() const { return !runtime.empty() || !directx.empty(); }
  // Nothing to look at (the catalogue is empty or not loaded): no verdict either way.
  bool NothingChecked() const { return checked == 0; }
};

// How an entry is judged on this machine: a runtime package by its registry key, a DirectX
// file at its path; and whether a DirectX file belongs on this machine at all (a 64-bit file
// only on 64-bit Windows; empty: every file does).
struct GameProbes {
  std::function<bool(const net::CatalogueFile& entry)> runtimePresent;
  std::function<bool(const net::CatalogueFile& entry)> directxPresent;
  std::function<bool(const net::CatalogueFile& entry)> directxApplies;
};

// The runtime entries that games need (gameRepair) and every DirectX entry that belongs on
// this machine, as the DirectX page takes them, each judged in catalogue order; the absent
// ones are kept. Other entries are not looked at.
GameFindings CollectGameFindings(const net::CatalogueList& runtime,
                                 const net::CatalogueList& directx, const GameProbes& probes);

// The closing line of a repair that left entries missing: how many, and the first names
// (`nameOf` turns a catalogue name into display text).
std::wstring StillMissingText(const GameFindings& findings,
                              const std::function<std::wstring(const std::string&)>& nameOf);

}  // namespace functions
