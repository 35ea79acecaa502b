# 64-bit Windows: the test build for hosts whose Wine runs only 64-bit Windows programs.
set(TESSA_MINGW_ARCH x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-toolchain.cmake)
