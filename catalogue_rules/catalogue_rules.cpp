#include "catalogue_rules/catalogue_rules.h"

#include <cstring>

#include "catalogue_rules/installer_switches.h"
#include "platform/path_text.h"

namespace net {

using platform::EndsWithIgnoringCase;
using platform::EqualsIgnoringCase;
using platform::StartsWithIgnoringCase;

namespace {

// Windows opens the device, not a file, for these names whatever the extension.
bool IsDeviceName(const std::string& name) {
  const std::string stem = name.substr(0, name.find('.'));
  static const char* const kDevices[] = {"con", "prn", "aux", "nul", "conin$", "conout$"};
  for (const char* device : kDevices)
    if (EqualsIgnoringCase(stem, device)) return true;
  if (stem.size() == 4 && (StartsWithIgnoringCase(stem, "com") || StartsWithIgnoringCase(stem, "lpt")))
    return stem[3] >= '0' && stem[3] <= '9';
  return false;
}

}  // namespace

bool IsPlainFileName(const std::string& name) {
  if (name.empty() || name.size() > 200 || name == "." || name == "..") return false;
  for (unsigned char c : name) {
    if (c < 0x20 || c == 0x7F || std::strchr("\\/:*?\"<>|", c)) return false;
  }
  if (name.back() == '.' || name.back() == ' ') return false;
  return !IsDeviceName(name);
}

bool IsWebUrl(const std::string& url) {
  size_t scheme;
  if (StartsWithIgnoringCase(url, "https://")) scheme = 8;
  else if (StartsWithIgnoringCase(url, "http://")) scheme = 7;
  else return false;
  if (url.size() > 2048) return false;
  for (unsigned char c : url)
    if (c <= 0x20 || c == 0x7F || c == '\\') return false;
  const size_t host_end = url.find_first_of("/?#", scheme);
  const std::string authority = url.substr(scheme, host_end == std::string::npos ? std::string::npos : host_end - scheme);
  // A user part ("http://user@host") hides the real host from a reader of the link.
  return !authority.empty() && authority.find('@') == std::string::npos && authority[0] != ':';
}

bool RedirectAllowed(const std::string& from, const std::string& to) {
  return IsWebUrl(to) && (!StartsWithIgnoringCase(from, "https://") || StartsWithIgnoringCase(to, "https://"));
}

bool IsSystemFolderDll(const std::string& filePath, const std::string& fileName) {
  if (!IsPlainFileName(fileName) || !EndsWithIgnoringCase(fileName, ".dll")) return false;
  for (const char* folder : {"C:\\Windows\\System32\\", "C:\\Windows\\SysWOW64\\"}) {
    if (StartsWithIgnoringCase(filePath, folder) &&
        EqualsIgnoringCase(filePath.substr(std::strlen(folder)), fileName))
      return true;
  }
  return false;
}

bool EntryIsUsable(int kind, const CatalogueFile& entry) {
  if (!IsWebUrl(entry.downloadUrl)) return false;
  // The runtime installers and the download lists keep their file under the URL's last name.
  const std::string urlName = platform::LastUrlSegment(entry.downloadUrl);
  switch (kind) {
    case kRuntimeFiles:
      return IsPlainFileName(urlName) && EndsWithIgnoringCase(urlName, ".exe") &&
             SwitchesFromVocabulary(entry.silentParam);
    case kDirectXFiles:
    case kSystemFiles:
      return IsSystemFolderDll(entry.filePath, entry.fileName);
    case kCommonFiles:
      return IsPlainFileName(urlName);
    default:
      return false;
  }
}

}  // namespace net
