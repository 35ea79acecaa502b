#include "platform/file_hold_win.h"

#include <windows.h>

namespace platform {

FileHold HoldFileAgainstWriters(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (file == INVALID_HANDLE_VALUE) return nullptr;
  return FileHold(file, [](void* handle) { CloseHandle(static_cast<HANDLE>(handle)); });
}

}  // namespace platform
