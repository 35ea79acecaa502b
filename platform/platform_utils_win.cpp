#include "platform/platform_utils.h"

#include <shellapi.h>
#include <shlobj.h>
#include <tlhelp32.h>

#include "platform/path_text.h"

namespace platform {

namespace {

std::wstring MultiByteToWide(UINT codePage, const char* text) {
  if (!text || !*text) return {};
  int length = MultiByteToWideChar(codePage, 0, text, -1, nullptr, 0);
  if (length <= 1) return {};
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(codePage, 0, text, -1, &wide[0], length);
  wide.resize(static_cast<size_t>(length - 1));
  return wide;
}

std::string WideToMultiByte(UINT codePage, const wchar_t* wide) {
  if (!wide || !*wide) return {};
  int length = WideCharToMultiByte(codePage, 0, wide, -1, nullptr, 0, nullptr, nullptr);
  if (length <= 1) return {};
  std::string text(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(codePage, 0, wide, -1, &text[0], length, nullptr, nullptr);
  text.resize(static_cast<size_t>(length - 1));
  return text;
}

const UINT kChineseCodePage = 936;

}  // namespace

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

std::string Utf8ToDisplayText(const char* utf8) {
  return WideToMultiByte(kChineseCodePage, MultiByteToWide(CP_UTF8, utf8).c_str());
}

std::string DisplayTextToUtf8(const std::string& gbk) {
  return WideToMultiByte(CP_UTF8, MultiByteToWide(kChineseCodePage, gbk.c_str()).c_str());
}

std::wstring DisplayTextToWide(const std::string& gbk) {
  return MultiByteToWide(kChineseCodePage, gbk.c_str());
}

std::string WideToAnsi(const wchar_t* wide) { return WideToMultiByte(CP_ACP, wide); }
std::wstring AnsiToWide(const char* ansi) { return MultiByteToWide(CP_ACP, ansi); }

bool IsSystem64Bit() {
  SYSTEM_INFO info = {};
  GetNativeSystemInfo(&info);
  return info.wProcessorArchitecture == PROCESSOR_ARCHITECTURE_AMD64 ||
         info.wProcessorArchitecture == PROCESSOR_ARCHITECTURE_IA64;
}

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
    WideCharToMultiByte(kChineseCodePage, 0, entry.szExeFile, -1, narrow, sizeof narrow - 1, nullptr,
                        &lossy);
    if (!lossy && lstrcmpiA(narrow, name.c_str()) == 0) processIds.push_back(entry.th32ProcessID);
  }
  CloseHandle(snapshot);
  return true;
}

void ShellOpen(const char* folder, const std::string& file, const char* parameters, int showCommand) {
  std::string target = folder ? std::string(folder) + "\\" + file : file;
  ShellExecuteA(nullptr, "open", target.c_str(), parameters, folder, showCommand);
}

}  // namespace platform
