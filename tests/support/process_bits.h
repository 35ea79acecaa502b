#pragma once
// What a test process sees of the system folders and the registry. The shipped program is
// 32-bit and runs under WoW64: System32 is redirected to SysWOW64, the native folder is
// reached as "Sysnative", and its own registry view is the 32-bit one. The 64-bit test build
// (for hosts whose Wine runs only 64-bit programs) sees the native folder as System32 and is
// redirected nowhere, so tests about the redirection itself have nothing to show there.
// Where Wine has no 32-bit loader (hosts that run no 32-bit program), a 64-bit prefix boots
// without its 32-bit half: SysWOW64 stays empty, and tests about its contents skip there.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace test_support {

constexpr bool kProcessIs32Bit = sizeof(void*) == 4;

// The native system folder as this process reaches it.
inline const char* NativeSystemFolder() {
  return kProcessIs32Bit ? "C:\\Windows\\Sysnative\\" : "C:\\Windows\\System32\\";
}
inline const wchar_t* NativeSystemFolderW() {
  return kProcessIs32Bit ? L"C:\\Windows\\Sysnative\\" : L"C:\\Windows\\System32\\";
}

// Whether this system has the 32-bit half a 64-bit Windows has: a SysWOW64 with the system's
// own 32-bit DLLs in it.
inline bool SystemHas32BitHalf() {
  wchar_t folder[MAX_PATH] = {};
  const UINT length = ::GetSystemWow64DirectoryW(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH - 14) return false;
  const std::wstring kernel = std::wstring(folder) + L"\\kernel32.dll";
  const DWORD attributes = ::GetFileAttributesW(kernel.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace test_support

#define SKIP_UNLESS_WOW64_PROCESS()                                                           \
  if (!test_support::kProcessIs32Bit)                                                          \
  GTEST_SKIP() << "about a 32-bit program under WoW64 (System32 redirected to SysWOW64); "   \
                  "this is the 64-bit build"

#define SKIP_UNLESS_SYSTEM_HAS_32BIT_HALF()                                                   \
  if (!test_support::SystemHas32BitHalf())                                                     \
  GTEST_SKIP() << "needs the prefix's 32-bit half (SysWOW64 holds no kernel32.dll: this "     \
                  "Wine has no 32-bit loader, as on hosts that run no 32-bit program)"
