#include <windows.h>
#include <shellapi.h>

#include "net/file_fetch.h"
#include "platform/files_and_folders.h"
#include "platform/admin_folder.h"
#include "platform/file_hold_win.h"
#include "repair/publisher_check_win.h"
#include "net/file_sha256.h"
#include "platform/md5.h"
#include "repair/registry_path.h"
#include "repair/runtime_repair_system.h"

namespace repair {

namespace {

// How often a wait looks at the repair's wish to stop.
constexpr DWORD kStopCheckMs = 100;

InstallRun InstallHiddenAndWait(const std::string& path, const std::string& parameters, const std::string& folder,
                                const InstallWait& wait) {
  InstallRun result;
  SHELLEXECUTEINFOA run = {};
  run.cbSize = sizeof run;
  run.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
  run.lpFile = path.c_str();
  run.lpParameters = parameters.empty() ? nullptr : parameters.c_str();
  run.lpDirectory = folder.c_str();
  run.nShow = SW_HIDE;
  if (!ShellExecuteExA(&run) || !run.hProcess) return result;
  // Installers may take minutes. One that never ends must not hold the repair: after the
  // limit, or as soon as the user cancels or the page goes, the wait ends and the installer
  // is left running (ending it half-way could leave the package broken).
  const DWORD start = GetTickCount();
  for (;;) {
    const DWORD waited = GetTickCount() - start;
    if (waited >= wait.limitMs) {
      result.end = InstallRun::End::kTimedOut;
      break;
    }
    const DWORD slice = wait.limitMs - waited < kStopCheckMs ? wait.limitMs - waited : kStopCheckMs;
    if (WaitForSingleObject(run.hProcess, slice) == WAIT_OBJECT_0) {
      DWORD code = 0;
      GetExitCodeProcess(run.hProcess, &code);
      result.end = InstallRun::End::kExited;
      result.exitCode = code;
      break;
    }
    if (wait.stopRequested && wait.stopRequested()) {
      result.end = InstallRun::End::kStopped;
      break;
    }
  }
  CloseHandle(run.hProcess);
  return result;
}

}  // namespace

RuntimeRepairOps SystemRuntimeRepairOps(const std::string& cacheBase) {
  RuntimeRepairOps ops{[cacheBase](const std::string& folder) { return platform::EnsureAdminOnlyFolder(cacheBase, folder); },
          platform::FileExists,
          [](const std::string& path) { DeleteFileA(path.c_str()); },
          platform::FileMd5,
          [](const std::string& url, const std::string& path, const std::function<bool()>& stop) {
            return net::FetchFile(url, path, net::kRepairFileBounds, stop);
          },
          InstallHiddenAndWait,
          RuntimeKeyInstalled,
          platform::HoldFileAgainstWriters};
  ops.signedByTrustedPublisher = SignedByTrustedPublisher;
  ops.matchesSignedDigest = net::FileMatchesSignedDigest;
  return ops;
}

}  // namespace repair
