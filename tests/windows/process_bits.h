#pragma once
// What a test process sees of the system folders and the registry. The shipped program is
// 32-bit and runs under WoW64: System32 is redirected to SysWOW64, the native folder is
// reached as "Sysnative", and its own registry view is the 32-bit one. The 64-bit test build
// (for hosts whose Wine runs only 64-bit programs) sees the native folder as System32 and is
// redirected nowhere, so tests about the redirection itself have nothing to show there.
#include <gtest/gtest.h>

namespace test_support {

constexpr bool kProcessIs32Bit = sizeof(void*) == 4;

// The native system folder as this process reaches it.
inline const char* NativeSystemFolder() {
  return kProcessIs32Bit ? "C:\\Windows\\Sysnative\\" : "C:\\Windows\\System32\\";
}
inline const wchar_t* NativeSystemFolderW() {
  return kProcessIs32Bit ? L"C:\\Windows\\Sysnative\\" : L"C:\\Windows\\System32\\";
}

}  // namespace test_support

#define SKIP_UNLESS_WOW64_PROCESS()                                                           \
  if (!test_support::kProcessIs32Bit)                                                          \
  GTEST_SKIP() << "about a 32-bit program under WoW64 (System32 redirected to SysWOW64); "   \
                  "this is the 64-bit build"
