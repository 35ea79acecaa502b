#include <windows.h>
#include <shellapi.h>

#include "net/user_folders.h"
#include "platform/admin_folder.h"
#include "repair/file_hold_win.h"
#include "repair/md5.h"
#include "repair/registry_path.h"
#include "repair/runtime_repair_system.h"

namespace repair {

namespace {

void InstallHiddenAndWait(const std::string& path, const std::string& parameters, const std::string& folder) {
  SHELLEXECUTEINFOA run = {};
  run.cbSize = sizeof run;
  run.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
  run.lpFile = path.c_str();
  run.lpParameters = parameters.empty() ? nullptr : parameters.c_str();
  run.lpDirectory = folder.c_str();
  run.nShow = SW_HIDE;
  if (!ShellExecuteExA(&run) || !run.hProcess) return;
  // Installers may take minutes; the outcome is read from the registry afterwards, not from
  // the exit code. One that never ends must not hold the repair forever: after the bound it
  // is left running and its package is judged by the registry like any other.
  WaitForSingleObject(run.hProcess, kInstallerWaitLimitMs);
  CloseHandle(run.hProcess);
}

}  // namespace

RuntimeRepairOps SystemRuntimeRepairOps(const std::string& cacheBase) {
  return {[cacheBase](const std::string& folder) { return platform::EnsureAdminOnlyFolder(cacheBase, folder); },
          net::FileExists,
          [](const std::string& path) { DeleteFileA(path.c_str()); },
          FileMd5,
          net::UrlDownloadToFile,
          InstallHiddenAndWait,
          RuntimeKeyInstalled,
          HoldFileAgainstWriters};
}

}  // namespace repair
