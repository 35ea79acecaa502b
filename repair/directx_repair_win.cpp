#include <windows.h>

#include "net/file_fetch.h"
#include "platform/files_and_folders.h"
#include "platform/system_bitness.h"
#include "platform/windows_folder.h"
#include "platform/admin_folder.h"
#include "repair/com_registration_system.h"
#include "repair/directx_repair_system.h"
#include "platform/file_hold_win.h"
#include "repair/publisher_check_win.h"
#include "net/file_sha256.h"
#include "platform/md5.h"

namespace repair {

namespace {

// File-system redirection is switched off for the one file call that needs the native system
// folder and on again at once: while it is off, any DLL this thread loads (a download or a
// certificate check loads several) would come from the 64-bit System32 and fail in this process.
template <class Call>
bool WithNativeSystemFolder(bool native, Call call) {
  PVOID previous = nullptr;
  bool switched = native && Wow64DisableWow64FsRedirection(&previous);
  bool result = call();
  if (switched) Wow64RevertWow64FsRedirection(previous);
  return result;
}

bool SystemFileExists(const std::string& path, bool native) {
  return WithNativeSystemFolder(native, [&] {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
  });
}

bool CopyIntoPlace(const std::string& from, const std::string& to, bool native) {
  return WithNativeSystemFolder(native, [&] { return CopyFileA(from.c_str(), to.c_str(), FALSE) != 0; });
}

void RemoveFromPlace(const std::string& path, bool native) {
  WithNativeSystemFolder(native, [&] { return DeleteFileA(path.c_str()) != 0; });
}

}  // namespace

DirectXRepairOps SystemDirectXRepairOps(const std::string& cacheBase) {
  DirectXRepairOps ops;
  ops.ensureFolder = [cacheBase](const std::string& folder) {
    return platform::EnsureAdminOnlyFolder(cacheBase, folder);
  };
  ops.cachedFileExists = platform::FileExists;
  ops.deleteFile = [](const std::string& path) { DeleteFileA(path.c_str()); };
  ops.fileMd5 = platform::FileMd5;
  ops.matchesSignedDigest = net::FileMatchesSignedDigest;
  ops.download = [](const std::string& url, const std::string& path, const std::function<bool()>& stop) {
    return net::FetchFile(url, path, net::kRepairFileBounds, stop);
  };
  ops.systemFileExists = SystemFileExists;
  ops.copyIntoPlace = CopyIntoPlace;
  ops.removeFromPlace = RemoveFromPlace;
  ops.system64Bit = platform::IsSystem64Bit();
  ops.windowsFolder = platform::SystemWindowsFolder();
  // Redirection stays on: the registrar is reached through Sysnative when it must be the
  // native one, and starting a process loads DLLs that must come from this process's folder.
  ops.registerServer = [folder = ops.windowsFolder, system64Bit = ops.system64Bit](
                           const std::string& path, bool native) {
    return RegisterComServer(folder, path, native && system64Bit, system64Bit);
  };
  ops.holdFile = platform::HoldFileAgainstWriters;
  ops.signedByTrustedPublisher = SignedByTrustedPublisher;
  return ops;
}

}  // namespace repair
