#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Which network adapter's address identifies this PC to the sign-in service: a physical (PCI)
// wired adapter first, else the last physical wireless one, else none.
namespace app {

using MacAddress = std::array<uint8_t, 6>;

enum class AdapterKind { kNotCounted, kWired, kWireless };

// What the adapter's network connection key says. pnpInstanceId is empty when the key could
// not be opened or the value read; mediaSubType is empty when that value is missing and
// readError true when it is present but unreadable.
struct AdapterFacts {
  std::string pnpInstanceId;
  std::optional<uint32_t> mediaSubType;
  bool mediaSubTypeReadError = false;
};

AdapterKind ClassifyAdapter(const AdapterFacts& facts);

struct ListedAdapter {
  MacAddress address{};
  AdapterKind kind = AdapterKind::kNotCounted;
};

// The address of the first wired adapter in list order, else of the last wireless one, else
// six zero bytes.
MacAddress ChooseMacAddress(const std::vector<ListedAdapter>& adapters);

// "%02X-%02X-%02X-%02X-%02X-%02X".
std::string FormatMacAddress(const MacAddress& address);

}  // namespace app
