#include "functions/dns_settings.h"

namespace functions {

namespace {

bool IsAddressCharacter(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F') || c == '.' ||
         c == ':' || c == '%';
}

// The "register=" switch that stands for the two registry values, or empty text when the
// values were never written (netsh then keeps its own default).
std::string RegisterSwitch(const DnsSettings& kept) {
  if (!kept.registrationEnabled.present) return {};
  if (kept.registrationEnabled.value == 0) return " register=none";
  bool adapterName = kept.registerAdapterName.present && kept.registerAdapterName.value != 0;
  return adapterName ? " register=both" : " register=primary";
}

}  // namespace

std::vector<std::string> NameServerList(const std::string& text) {
  std::vector<std::string> servers;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find_first_of(", ", start);
    if (end == std::string::npos) end = text.size();
    std::string server = text.substr(start, end - start);
    bool address = !server.empty();
    for (char c : server) address = address && IsAddressCharacter(c);
    if (address) servers.push_back(server);
    start = end + 1;
  }
  return servers;
}

std::vector<std::string> DnsRestoreParameters(const std::string& connectionName,
                                              const DnsSettings& kept) {
  const std::string name = "name=\"" + connectionName + "\"";
  std::vector<std::string> servers =
      kept.nameServer.present ? NameServerList(kept.nameServer.value) : std::vector<std::string>{};
  if (servers.empty())
    return {"interface ip set dns " + name + " source=dhcp" + RegisterSwitch(kept)};
  std::vector<std::string> steps = {"interface ip set dns " + name + " source=static addr=" +
                                    servers[0] + RegisterSwitch(kept)};
  for (size_t i = 1; i < servers.size(); ++i)
    steps.push_back("interface ip add dns " + name + " addr=" + servers[i] +
                    " index=" + std::to_string(i + 1));
  return steps;
}

}  // namespace functions
