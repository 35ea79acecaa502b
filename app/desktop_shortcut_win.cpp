#include <windows.h>
#include <shlobj.h>
#include <shlwapi.h>

#include "app/desktop_shortcut.h"
#include "page_machinery/product.h"
#include "platform/com_release.h"

namespace app {

std::wstring DesktopFolder() {
  wchar_t path[MAX_PATH] = L"";
  if (!::SHGetSpecialFolderPathW(nullptr, path, CSIDL_DESKTOPDIRECTORY, FALSE)) return std::wstring();
  return path;
}

bool EnsureShortcut(const std::wstring& folder, const std::wstring& name, const std::wstring& target) {
  if (folder.empty()) return false;
  wchar_t path[MAX_PATH] = L"";
  lstrcpynW(path, folder.c_str(), MAX_PATH);
  if (!::PathAppendW(path, (name + L".lnk").c_str())) return false;
  if (::GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES) return true;

  wchar_t full[MAX_PATH] = L"";
  if (::GetFullPathNameW(target.c_str(), MAX_PATH, full, nullptr) == 0) return false;
  wchar_t workFolder[MAX_PATH] = L"";
  lstrcpynW(workFolder, full, MAX_PATH);
  ::PathRemoveFileSpecW(workFolder);

  platform::ComHeld<IShellLinkW> link;
  if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                link.out())))
    return false;
  platform::ComHeld<IPersistFile> file;
  if (FAILED(link.p->QueryInterface(IID_IPersistFile, file.out()))) return false;
  if (FAILED(link.p->SetPath(full)) || FAILED(link.p->SetDescription(L"")) ||
      FAILED(link.p->SetWorkingDirectory(workFolder)))
    return false;
  return SUCCEEDED(file.p->Save(path, TRUE));
}

bool EnsureDesktopShortcut(const std::wstring& folder) {
  wchar_t module[MAX_PATH] = L"";
  if (::GetModuleFileNameW(nullptr, module, MAX_PATH) == 0) return false;
  return EnsureShortcut(folder.empty() ? DesktopFolder() : folder, kProductName, module);
}

}  // namespace app
