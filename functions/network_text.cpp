#include "functions/network_text.h"

#include <algorithm>
#include <set>

#include "platform/text_number.h"

namespace functions {

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t i = 0; i <= text.size(); ++i) {
    if (i == text.size() || text[i] == '\r' || text[i] == '\n') {
      if (i > start) lines.push_back(text.substr(start, i - start));
      start = i + 1;
    }
  }
  return lines;
}

namespace {

bool TakeField(const std::string& line, const char* prefix, std::string& field) {
  size_t length = std::char_traits<char>::length(prefix);
  if (line.compare(0, length, prefix) != 0) return false;
  field = line.substr(length);
  return true;
}

// The address at the start of an address line, or empty text: up to three digits' room
// before the first ".", three dots in order, then a space.
std::string LeadingAddress(const std::string& line) {
  size_t first = line.find('.');
  if (first == std::string::npos || first < 1 || first > 3) return {};
  size_t second = line.find('.', first + 1);
  if (second == std::string::npos) return {};
  size_t third = line.find('.', second + 1);
  if (third == std::string::npos) return {};
  size_t space = line.find(' ', third + 1);
  if (space == std::string::npos) return {};
  return line.substr(0, space);
}

}  // namespace

bool ParsePhysicalAdapter(const std::string& wmicListing, AdapterInfo& info) {
  std::vector<std::string> lines = SplitLines(wmicListing);
  if (lines.size() < 6) return false;
  for (const std::string& line : lines) {
    std::string device;
    if (TakeField(line, "Name=", info.name) || TakeField(line, "InterfaceIndex=", info.interfaceIndex) ||
        TakeField(line, "NetConnectionID=", info.connectionName) || TakeField(line, "GUID=", info.guid) ||
        TakeField(line, "NetConnectionStatus=", info.connectionStatus))
      continue;
    if (TakeField(line, "PNPDeviceID=", device) && device.compare(0, 3, "PCI") == 0)
      return !info.name.empty() && !info.interfaceIndex.empty() && !info.connectionName.empty() &&
             !info.guid.empty() && !info.connectionStatus.empty();
  }
  return false;
}

bool ArpListingFreeOfConflicts(const std::string& arpListing) {
  std::vector<std::string> lines = SplitLines(arpListing);
  if (lines.empty()) return false;
  std::multiset<std::string> section;
  for (const std::string& raw : lines) {
    std::string line = raw.substr(std::min(raw.find_first_not_of(' '), raw.size()));
    std::string address = LeadingAddress(line);
    if (!address.empty()) {
      section.insert(address);
      continue;
    }
    for (const std::string& seen : section)
      if (section.count(seen) > 1) return false;
    section.clear();
  }
  return true;
}

bool ParseProxyServer(const std::string& text, std::string& host, int& port) {
  if (text.compare(0, 9, "127.0.0.1") == 0) return false;
  size_t colon = text.find(':');
  if (colon == std::string::npos || colon < 7) return false;
  host = text.substr(0, colon);
  port = platform::TextToInt(text.substr(colon + 1));
  return true;
}

}  // namespace functions
