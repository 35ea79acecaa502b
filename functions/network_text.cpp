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

namespace {

// The interface's address in a section header: the first dotted quad after its ":".
std::string HeaderAddress(const std::string& line) {
  if (line.find(" --- ") == std::string::npos) return {};
  const size_t colon = line.find(':');
  const size_t start = colon == std::string::npos ? colon : line.find_first_not_of(' ', colon + 1);
  return start == std::string::npos ? std::string() : LeadingAddress(line.substr(start));
}

}  // namespace

std::vector<ArpSection> ReadArpListing(const std::string& arpListing) {
  std::vector<ArpSection> sections;
  std::string interfaceAddress;
  std::multiset<std::string> addresses;
  auto close = [&] {
    if (addresses.empty()) return;
    ArpSection section{interfaceAddress, false};
    for (const std::string& seen : addresses) section.repeatedAddress = section.repeatedAddress || addresses.count(seen) > 1;
    sections.push_back(section);
    addresses.clear();
  };
  for (const std::string& raw : SplitLines(arpListing)) {
    const std::string line = raw.substr(std::min(raw.find_first_not_of(' '), raw.size()));
    const std::string address = LeadingAddress(line);
    if (!address.empty()) {
      addresses.insert(address);
      continue;
    }
    close();
    const std::string header = HeaderAddress(line);
    if (!header.empty()) interfaceAddress = header;
  }
  close();
  return sections;
}

bool ArpListingFreeOfConflicts(const std::string& arpListing) {
  if (SplitLines(arpListing).empty()) return false;
  for (const ArpSection& section : ReadArpListing(arpListing))
    if (section.repeatedAddress) return false;
  return true;
}

namespace {

bool ParseHostAndPort(const std::string& text, ProxyEndpoint& proxy) {
  if (text.compare(0, 9, "127.0.0.1") == 0) return false;
  size_t colon = text.find(':');
  if (colon == std::string::npos || colon < 7) return false;
  proxy.host = text.substr(0, colon);
  proxy.port = platform::TextToInt(text.substr(colon + 1));
  return true;
}

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  return text;
}

}  // namespace

bool ParseProxyServer(const std::string& text, ProxyEndpoint& proxy) {
  if (text.find('=') == std::string::npos) {
    proxy.socks = false;
    return ParseHostAndPort(text, proxy);
  }
  // Entries are separated by ";" (the settings dialog writes that) or by spaces.
  std::string https, http, socks;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find_first_of("; ", start);
    if (end == std::string::npos) end = text.size();
    std::string entry = text.substr(start, end - start);
    size_t equals = entry.find('=');
    if (equals != std::string::npos) {
      std::string protocol = Lower(entry.substr(0, equals));
      std::string address = entry.substr(equals + 1);
      std::string* slot = protocol == "https" ? &https
                          : protocol == "http" ? &http
                          : protocol == "socks" ? &socks
                                                : nullptr;
      if (slot && slot->empty()) *slot = address;
    }
    start = end + 1;
  }
  proxy.socks = https.empty() && http.empty() && !socks.empty();
  const std::string& chosen = !https.empty() ? https : !http.empty() ? http : socks;
  return !chosen.empty() && ParseHostAndPort(chosen, proxy);
}

}  // namespace functions
