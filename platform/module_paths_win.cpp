#include "platform/module_paths.h"

#include <windows.h>
#include <shlobj.h>

#include "platform/path_text.h"

namespace platform {

std::string ModulePath() {
  char buffer[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, buffer, MAX_PATH);
  return buffer;
}

std::string ModuleFolder() { return FolderOfPath(ModulePath()); }
std::string ModuleFileName() { return FileNameOfPath(ModulePath()); }

std::string SpecialFolder(int csidl) {
  char buffer[MAX_PATH] = {};
  if (!SHGetSpecialFolderPathA(nullptr, buffer, csidl, FALSE)) return {};
  return buffer;
}

}  // namespace platform
