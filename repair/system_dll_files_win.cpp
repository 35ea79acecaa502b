#include <windows.h>

#include "repair/file_walk_rules.h"
#include "repair/system_dll_files.h"

namespace repair {

std::vector<FileSource> SystemDllSources() {
  const wchar_t* const system32 = L"C:\\Windows\\System32\\";
  const wchar_t* const syswow64 = L"C:\\Windows\\SysWOW64\\";
  return {{system32, L".dll"}, {syswow64, L".dll"}, {system32, L".ocx"}, {syswow64, L".ocx"}};
}

// Wide listings: a name outside the ANSI code page would come back with "?" in it, and a
// folder of such a name could not be entered.
void FindFilesByExtension(const std::wstring& folder, const std::wstring& extension,
                          std::vector<std::wstring>& paths) {
  WIN32_FIND_DATAW found;
  HANDLE listing = FindFirstFileW((folder + L"*.*").c_str(), &found);
  if (listing == INVALID_HANDLE_VALUE) return;
  do {
    const std::wstring name = found.cFileName;
    if (SkippedInWalk(name)) continue;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      // A link or junction may lead back up the tree, and the walk would list the same files
      // again and again: only real sub-folders are entered.
      if (!(found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
        FindFilesByExtension(folder + name + L"\\", extension, paths);
    } else if (ExtensionOf(name) == extension) {
      paths.push_back(folder + name);
    }
  } while (FindNextFileW(listing, &found));
  FindClose(listing);
}

std::vector<std::wstring> CollectFiles(const std::vector<FileSource>& sources) {
  std::vector<std::wstring> paths;
  // Nothing but listings happens while redirection is off: a DLL loaded meanwhile would be
  // looked for in the 64-bit folder and fail in this 32-bit process. Off fails harmlessly on
  // 32-bit Windows, where there is nothing to redirect.
  PVOID previous = nullptr;
  const bool switched = Wow64DisableWow64FsRedirection(&previous) != 0;
  for (const FileSource& source : sources)
    FindFilesByExtension(source.folder, source.extension, paths);
  if (switched) Wow64RevertWow64FsRedirection(previous);
  return paths;
}

}  // namespace repair
