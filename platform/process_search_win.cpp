#include "platform/process_search.h"

#include <tlhelp32.h>

#include "platform/text_conversion.h"

namespace platform {

bool FindProcessesByName(const std::string& name, std::vector<DWORD>& processIds) {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return false;
  PROCESSENTRY32W entry = {};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
    // Characters outside code page 936 become "?" here and, since the wanted name was written
    // in the same code page, such a process can never match by accident of both having "?".
    BOOL lossy = FALSE;
    char narrow[MAX_PATH * 2] = {};
    WideCharToMultiByte(kDisplayCodePage, 0, entry.szExeFile, -1, narrow, sizeof narrow - 1, nullptr,
                        &lossy);
    if (!lossy && lstrcmpiA(narrow, name.c_str()) == 0) processIds.push_back(entry.th32ProcessID);
  }
  CloseHandle(snapshot);
  return true;
}

}  // namespace platform
