#include "platform/path_links.h"

#include <windows.h>

namespace platform {
namespace {

bool SamePath(const std::string& a, const std::string& b) {
  return a.size() == b.size() &&
         CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, a.c_str(), static_cast<int>(a.size()), b.c_str(),
                        static_cast<int>(b.size())) == CSTR_EQUAL;
}

// Where the path really is, links and junctions followed; empty when it cannot be opened.
std::string FinalPath(const std::string& path) {
  HANDLE opened = CreateFileA(path.c_str(), FILE_READ_ATTRIBUTES,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                              FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (opened == INVALID_HANDLE_VALUE) return {};
  char final[2 * MAX_PATH] = {};
  const DWORD length = GetFinalPathNameByHandleA(opened, final, sizeof final, FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
  CloseHandle(opened);
  if (length == 0 || length >= sizeof final) return {};
  std::string result(final, length);
  return result.rfind("\\\\?\\", 0) == 0 ? result.substr(4) : result;
}

}  // namespace

bool IsLinkOrJunction(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return false;
  if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) return true;
  char longForm[2 * MAX_PATH] = {};
  const DWORD length = GetLongPathNameA(path.c_str(), longForm, sizeof longForm);
  const std::string expected = length > 0 && length < sizeof longForm ? std::string(longForm, length) : path;
  return !SamePath(FinalPath(path), expected);
}

bool PathLeadsElsewhere(const std::string& path) {
  const bool driveForm = path.size() >= 3 && isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':' &&
                         path[2] == '\\';
  if (!driveForm || path.find('/') != std::string::npos || path.find("\\..") != std::string::npos) return true;
  for (size_t end = path.find('\\', 3);; end = path.find('\\', end + 1)) {
    const std::string part = path.substr(0, end);
    if (part.size() > 3 && part.back() != '\\') {
      if (GetFileAttributesA(part.c_str()) == INVALID_FILE_ATTRIBUTES) return false;  // the rest is yet to be made
      if (IsLinkOrJunction(part)) return true;
    }
    if (end == std::string::npos) return false;
  }
}

}  // namespace platform
