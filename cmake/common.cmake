# GoogleTest from Debian's source copy, built with whichever compiler this tree uses.
if(NOT TARGET gtest)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
endif()

# nlohmann-json and stb are header-only; Debian puts them under /usr/include, which the
# cross compiler does not search, so the folders are named explicitly.
add_library(third_party_headers INTERFACE)
target_include_directories(third_party_headers SYSTEM INTERFACE
  ${CMAKE_BINARY_DIR}/third_party_include)
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/third_party_include)
foreach(dir nlohmann stb)
  if(NOT EXISTS ${CMAKE_BINARY_DIR}/third_party_include/${dir})
    file(CREATE_LINK /usr/include/${dir} ${CMAKE_BINARY_DIR}/third_party_include/${dir} SYMBOLIC)
  endif()
endforeach()

function(tessa_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
endfunction()
