#include "app/signin/mac_choice.h"

#include <cstdio>

namespace app {

namespace {

bool StartsWithPci(const std::string& text) {
  if (text.size() < 3) return false;
  for (size_t i = 0; i < 3; ++i) {
    const char c = static_cast<char>(text[i] & ~0x20);  // ASCII upper case
    if (c != "PCI"[i]) return false;
  }
  return true;
}

}  // namespace

AdapterKind ClassifyAdapter(const AdapterFacts& facts) {
  if (!StartsWithPci(facts.pnpInstanceId)) return AdapterKind::kNotCounted;
  if (facts.mediaSubTypeReadError) return AdapterKind::kNotCounted;
  if (!facts.mediaSubType || *facts.mediaSubType == 1) return AdapterKind::kWired;
  if (*facts.mediaSubType == 2) return AdapterKind::kWireless;
  return AdapterKind::kNotCounted;
}

MacAddress ChooseMacAddress(const std::vector<ListedAdapter>& adapters) {
  MacAddress chosen{};
  for (const ListedAdapter& adapter : adapters) {
    if (adapter.kind == AdapterKind::kNotCounted) continue;
    chosen = adapter.address;
    if (adapter.kind == AdapterKind::kWired) break;
  }
  return chosen;
}

std::string FormatMacAddress(const MacAddress& a) {
  char text[18];
  std::snprintf(text, sizeof text, "%02X-%02X-%02X-%02X-%02X-%02X", a[0], a[1], a[2], a[3], a[4], a[5]);
  return text;
}

}  // namespace app
