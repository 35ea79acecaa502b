#include "net/user_paths.h"

#include <windows.h>

namespace net {

std::string DownloadDrive() {
  return ChooseDownloadDrive([](const char* drive) {
    DWORD drives = GetLogicalDrives();
    return (drives & (1u << (drive[0] - 'A'))) != 0;
  });
}

}  // namespace net
