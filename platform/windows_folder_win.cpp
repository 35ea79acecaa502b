#include <windows.h>

#include "platform/windows_folder.h"

namespace platform {

// GetWindowsDirectory answers a per-user folder under Terminal Services; the system's files
// are in the shared one.
std::string SystemWindowsFolder() {
  char folder[MAX_PATH];
  const UINT length = GetSystemWindowsDirectoryA(folder, MAX_PATH);
  return length > 0 && length < MAX_PATH ? std::string(folder, length) : std::string();
}

}  // namespace platform
