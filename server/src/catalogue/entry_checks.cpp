#include "catalogue/entry_checks.h"

#include <cctype>
#include <cstdint>

#include "catalogue_rules/catalogue_rules.h"
#include "catalogue_rules/installer_switches.h"
#include "platform/path_text.h"

namespace catalogue {

std::string url_problem(const std::string& url, bool may_be_empty) {
  if (url.empty()) return may_be_empty ? std::string() : "must not be empty";
  for (unsigned char c : url)
    if (c <= 0x20 || c == 0x7f) return "must not contain spaces or control characters";
  if (url.rfind("http://", 0) == 0 || url.rfind("https://", 0) == 0) return std::string();
  if (url[0] == '/') {
    if (url.rfind(hosted_prefix, 0) == 0 && !hosted_relative_path(url)) return "climbs out of the files folder";
    return std::string();
  }
  return "must start with http://, https:// or /";
}

std::optional<std::string> hosted_relative_path(const std::string& url) {
  std::string prefix = hosted_prefix;
  if (url.rfind(prefix, 0) != 0) return std::nullopt;
  std::string rest = url.substr(prefix.size());
  if (rest.empty() || rest.find('\\') != std::string::npos || rest.find('?') != std::string::npos)
    return std::nullopt;
  size_t start = 0;
  while (start <= rest.size()) {
    size_t end = rest.find('/', start);
    if (end == std::string::npos) end = rest.size();
    std::string segment = rest.substr(start, end - start);
    if (segment.empty() || segment == "." || segment == "..") return std::nullopt;
    start = end + 1;
  }
  return rest;
}

bool is_md5_text(const std::string& text) {
  if (text.size() != 32) return false;
  for (char c : text)
    if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'))) return false;
  return true;
}

bool is_sha256_text(const std::string& text) {
  if (text.size() != 64) return false;
  for (char c : text)
    if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
  return true;
}

const char* const min_version_reason =
    "\"minVersion\" must be major.minor.build in decimal digits, major and minor at most 65535, build at most "
    "4294967295";

bool is_version_text(const std::string& text) {
  const uint64_t limits[] = {65535, 65535, 4294967295u};
  size_t at = 0;
  for (size_t part = 0; part < 3; ++part) {
    if (part > 0) {
      if (at >= text.size() || text[at] != '.') return false;
      ++at;
    }
    uint64_t value = 0;
    size_t digits = 0;
    // Eleven digits cannot fit any limit; stopping there keeps the value from overflowing.
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9' && digits <= 10; ++at, ++digits)
      value = value * 10 + static_cast<uint64_t>(text[at] - '0');
    if (digits == 0 || value > limits[part]) return false;
  }
  return at == text.size();
}

namespace {

// What the program would leave out of the list, so an operator's mistake is caught here.
void program_rule_problems(const Entry& e, std::vector<std::string>& why) {
  const std::string urlName = platform::LastUrlSegment(e.downloadUrl);
  if (e.list == ListKind::runtime) {
    std::string lower = urlName;
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    const bool exe = lower.size() > 4 && net::IsPlainFileName(urlName) &&
                     lower.compare(lower.size() - 4, 4, ".exe") == 0;
    if (!exe) why.push_back("\"downloadUrl\" must end in a plain file name ending \".exe\"");
    if (!net::SwitchesFromVocabulary(e.silentParam)) {
      std::string words;
      for (const char* const* w = net::InstallerSwitchVocabulary(); *w; ++w) words += std::string(words.empty() ? "" : " ") + *w;
      why.push_back("\"silentParam\" may hold only these switches, one space apart: " + words);
    }
  }
  if ((e.list == ListKind::dx || e.list == ListKind::system) && !e.filePath.empty() &&
      !net::IsSystemFolderDll(e.filePath, e.fileName))
    why.push_back("\"filePath\" must be C:\\Windows\\System32\\ or C:\\Windows\\SysWOW64\\ and then "
                  "exactly \"fileName\", a plain name ending \".dll\"");
  if (e.list == ListKind::common && !net::IsPlainFileName(urlName))
    why.push_back("\"downloadUrl\" must end in a plain file name");
}

}  // namespace

std::vector<std::string> entry_content_problems(const Entry& e) {
  std::vector<std::string> why;
  if (e.fileName.empty()) why.push_back("\"fileName\" must not be empty");
  std::string problem = url_problem(e.downloadUrl, false);
  if (!problem.empty()) why.push_back("\"downloadUrl\" " + problem);
  if (!e.fileMd5.empty() && !is_md5_text(e.fileMd5))
    why.push_back("\"fileMd5\" must be 32 hexadecimal digits or empty");
  if (!e.md5From.empty() && !hosted_relative_path(e.md5From))
    why.push_back("\"md5From\" must name a file under /files/");
  if (e.list == ListKind::common) {
    problem = url_problem(e.imgUrl, true);
    if (!problem.empty()) why.push_back("\"imgUrl\" " + problem);
  }
  if (e.list == ListKind::runtime) {
    size_t slash = e.regeditName.find('\\');
    if (slash == std::string::npos || slash == 0 || slash + 1 == e.regeditName.size())
      why.push_back("\"regeditName\" must be a root key, a backslash and a sub-key path");
  }
  if (!e.minVersion.empty() && !is_version_text(e.minVersion)) why.push_back(min_version_reason);
  if (e.systemBit && *e.systemBit != 0 && *e.systemBit != 1) why.push_back("\"systemBit\" must be 0 or 1");
  if ((e.list == ListKind::dx || e.list == ListKind::system) && e.filePath.empty())
    why.push_back("\"filePath\" must not be empty");
  program_rule_problems(e, why);
  return why;
}

}  // namespace catalogue
