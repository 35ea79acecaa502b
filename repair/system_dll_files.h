#pragma once
#include <string>
#include <vector>

namespace repair {

// One walk of the system DLL page: every file below `folder` (which ends with "\") whose
// extension is `extension`, compared exactly.
struct FileSource {
  std::wstring folder;
  std::wstring extension;
};

// ".dll" under System32, then under SysWOW64, then ".ocx" under each: fixed texts, not taken
// from the system.
std::vector<FileSource> SystemDllSources();

// Appends folder + name of every matching file, walking each real sub-folder where the
// listing meets it. Dot names and one-character names are passed over; a folder that cannot
// be listed adds nothing.
void FindFilesByExtension(const std::wstring& folder, const std::wstring& extension,
                          std::vector<std::wstring>& paths);

// The files of every source in turn, with file-system redirection off on this thread
// meanwhile, so that "C:\Windows\System32\" names the native folder on 64-bit Windows.
std::vector<std::wstring> CollectFiles(const std::vector<FileSource>& sources);

}  // namespace repair
