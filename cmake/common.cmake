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

# tessa_add_fuzzer(<program> SOURCE <file> LIBS <libraries...> SEEDS <folder> SECONDS <n>
#                  TEST <name> [DICT <file>])
# A libFuzzer program and two tests: <name>_replay runs the committed seeds once, <name>_run
# fuzzes for a bounded time. New inputs and crash files go to the build tree; the committed
# seeds are only read. Link it against libraries built with tessa_fuzzing_flags, so that the
# fuzzer is guided through them.
function(tessa_add_fuzzer program)
  cmake_parse_arguments(F "" "SOURCE;SEEDS;SECONDS;TEST;DICT" "LIBS" ${ARGN})
  add_executable(${program} ${F_SOURCE})
  target_compile_options(${program} PRIVATE -fsanitize=fuzzer)
  target_link_options(${program} PRIVATE -fsanitize=fuzzer)
  target_link_libraries(${program} PRIVATE ${F_LIBS})
  tessa_warnings(${program})
  set(work ${CMAKE_CURRENT_BINARY_DIR}/${program}_corpus)
  file(MAKE_DIRECTORY ${work})
  set(dict)
  if(F_DICT)
    set(dict -dict=${F_DICT})
  endif()
  add_test(NAME ${F_TEST}_replay COMMAND ${program} -runs=0 ${F_SEEDS})
  add_test(NAME ${F_TEST}_run
    COMMAND ${program} -max_total_time=${F_SECONDS} -timeout=10 -rss_limit_mb=1024
            -artifact_prefix=${work}/ ${dict} ${work} ${F_SEEDS})
  set_tests_properties(${F_TEST}_replay ${F_TEST}_run PROPERTIES LABELS fuzz)
endfunction()

# Coverage instrumentation for a library that a fuzzer links.
function(tessa_fuzzing_flags library)
  target_compile_options(${library} PRIVATE -fsanitize=fuzzer-no-link)
endfunction()

