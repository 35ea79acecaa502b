# The shipped program's toolchain: 32-bit Windows, one build for 32-bit and 64-bit Windows.
set(TESSA_MINGW_ARCH i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-toolchain.cmake)
