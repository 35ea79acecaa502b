// The captured console output of wmic and arp, and the registry's proxy text, as arbitrary
// bytes: the readers must stay inside them whatever they hold.
#include <cstdint>
#include <string>

#include "functions/network_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  functions::AdapterInfo info;
  functions::ParsePhysicalAdapter(text, info);
  functions::ArpListingFreeOfConflicts(text);
  std::string host;
  int port = 0;
  functions::ParseProxyServer(text, host, port);
  return 0;
}
