#include "net/user_paths.h"

#include <windows.h>

namespace net {

namespace {

DriveKind KindOf(UINT type) {
  switch (type) {
    case DRIVE_FIXED: return DriveKind::kFixed;
    case DRIVE_REMOVABLE: return DriveKind::kRemovable;
    case DRIVE_CDROM: return DriveKind::kOptical;
    case DRIVE_REMOTE: return DriveKind::kRemote;
    case DRIVE_RAMDISK: return DriveKind::kRamDisk;
    case DRIVE_NO_ROOT_DIR: return DriveKind::kNoRoot;
    default: return DriveKind::kUnknown;
  }
}

}  // namespace

DriveFacts DriveFactsOf(const std::string& root) {
  DriveFacts facts;
  facts.kind = KindOf(::GetDriveTypeA(root.c_str()));
  if (facts.kind == DriveKind::kNoRoot) return facts;
  // A drive without its medium would otherwise have the system ask the user to insert a disk.
  // GetLogicalDrives counts such a drive; only a query of its file system tells that nothing
  // is there.
  DWORD previous = 0;
  const bool quiet = ::SetThreadErrorMode(SEM_FAILCRITICALERRORS, &previous) != FALSE;
  ULARGE_INTEGER available;
  facts.volumeMounted = ::GetDiskFreeSpaceExA(root.c_str(), &available, nullptr, nullptr) != FALSE;
  if (quiet) ::SetThreadErrorMode(previous, nullptr);
  return facts;
}

std::string DownloadDrive() { return ChooseDownloadDrive(DriveFactsOf); }

}  // namespace net
