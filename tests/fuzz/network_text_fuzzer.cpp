// The captured ARP listing and the registry's proxy and DNS server texts, as arbitrary bytes:
// the readers must stay inside them whatever they hold, and what reaches netsh's command line
// must stay an address.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "functions/dns_settings.h"
#include "functions/network_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  functions::ArpListingFreeOfConflicts(text);
  functions::ProxyEndpoint proxy;
  if (functions::ParseProxyServer(text, proxy) && proxy.host.size() > text.size()) std::abort();
  for (const std::string& server : functions::NameServerList(text))
    if (server.empty() || server.find_first_of("\" ,;&|") != std::string::npos) std::abort();
  return 0;
}
