#include "functions/game_findings.h"

#include "page_machinery/page_text.h"

namespace functions {

namespace {

// The header's text line is 500 pixels wide: a few names, then the count tells the rest.
constexpr size_t kNamesShown = 3;

}  // namespace

GameFindings CollectGameFindings(const net::CatalogueList& runtime,
                                 const net::CatalogueList& directx, const GameProbes& probes) {
  GameFindings findings;
  for (const net::CatalogueFile& entry : runtime) {
    if (!entry.gameRepair) continue;
    ++findings.checked;
    if (!probes.runtimePresent(entry)) findings.runtime.push_back(entry);
  }
  for (const net::CatalogueFile& entry : directx) {
    // A file that can never be put here would stay "missing" for ever.
    if (probes.directxApplies && !probes.directxApplies(entry)) continue;
    ++findings.checked;
    if (!probes.directxPresent(entry)) findings.directx.push_back(entry);
  }
  return findings;
}

std::wstring StillMissingText(const GameFindings& findings,
                              const std::function<std::wstring(const std::string&)>& nameOf) {
  std::wstring names;
  size_t named = 0;
  // In the order the repair visited them.
  for (const net::CatalogueList* list : {&findings.directx, &findings.runtime})
    for (const net::CatalogueFile& entry : *list) {
      if (named == kNamesShown) break;
      if (named++ > 0) names += L"、";
      names += nameOf(entry.fileName);
    }
  const size_t total = findings.directx.size() + findings.runtime.size();
  if (total > kNamesShown) names += L"等";
  return repair::FillIn(L"修复未完成，仍缺失%d项：%s", {std::to_wstring(total), names});
}

}  // namespace functions
