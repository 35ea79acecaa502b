#include "platform/admin_folder.h"

#include <windows.h>
#include <aclapi.h>
#include <sddl.h>

#include <vector>

#include "platform/path_links.h"

namespace platform {

// Owner Administrators; protected DACL: SYSTEM and Administrators full control, Users read
// and execute, each inherited by files and sub-folders.
const char kAdminOnlyFolderSddl[] = "O:BAD:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;0x1200a9;;;BU)";

namespace {

bool IsFolder(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Applies the descriptor to a folder that exists: someone may have made it first and kept
// the rights to it, or left a file in it from before.
bool TakeOver(const std::string& folder, PSECURITY_DESCRIPTOR descriptor) {
  BOOL present = FALSE, defaulted = FALSE;
  PACL dacl = nullptr;
  PSID owner = nullptr;
  if (!GetSecurityDescriptorDacl(descriptor, &present, &dacl, &defaulted) || !present ||
      !GetSecurityDescriptorOwner(descriptor, &owner, &defaulted))
    return false;
  std::vector<char> name(folder.begin(), folder.end());
  name.push_back('\0');
  const DWORD result = SetNamedSecurityInfoA(
      name.data(), SE_FILE_OBJECT,
      OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION,
      owner, nullptr, dacl, nullptr);
  return result == ERROR_SUCCESS;
}

std::string WithoutTrailingSlashes(std::string path) {
  while (path.size() > 3 && path.back() == '\\') path.pop_back();
  return path;
}

}  // namespace

bool EnsureAdminOnlyFolder(const std::string& base, const std::string& folder) {
  const std::string root = WithoutTrailingSlashes(base);
  const std::string path = WithoutTrailingSlashes(folder);
  if (root.size() < 3 || root[1] != ':' || root[2] != '\\' || path.size() <= root.size() + 1 ||
      CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, path.c_str(), static_cast<int>(root.size()),
                     root.c_str(), static_cast<int>(root.size())) != CSTR_EQUAL ||
      path[root.size()] != '\\' || path.find("\\..") != std::string::npos ||
      IsLinkOrJunction(root) || !IsFolder(root))
    return false;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (!ConvertStringSecurityDescriptorToSecurityDescriptorA(kAdminOnlyFolderSddl, SDDL_REVISION_1,
                                                            &descriptor, nullptr))
    return false;
  SECURITY_ATTRIBUTES attributes{sizeof attributes, descriptor, FALSE};
  bool ok = true;
  // Each folder below the base in turn: a link on the way would lead the writes elsewhere.
  for (size_t end = path.find('\\', root.size() + 1); ok; end = path.find('\\', end + 1)) {
    const std::string part = path.substr(0, end);
    if (IsLinkOrJunction(part)) ok = false;
    else if (!IsFolder(part)) ok = CreateDirectoryA(part.c_str(), &attributes) != 0 && IsFolder(part);
    if (ok) ok = TakeOver(part, descriptor) && !IsLinkOrJunction(part);
    if (end == std::string::npos) break;
  }
  LocalFree(descriptor);
  return ok;
}

}  // namespace platform
