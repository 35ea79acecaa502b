# libsodium, for the catalogue document's Ed25519 signature and the files' SHA-256: the system's
# natively, for Windows a static build of Debian's source (scripts/build-sodium.sh, cached
# outside the tree; SODIUM_PREFIX names another build).
add_library(sodium INTERFACE)
if(WIN32)
  if(NOT SODIUM_PREFIX)
    execute_process(COMMAND ${PROJECT_SOURCE_DIR}/scripts/build-sodium.sh --arch ${TESSA_MINGW_ARCH}
                    OUTPUT_VARIABLE SODIUM_PREFIX OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE sodium_failed)
    if(sodium_failed OR NOT EXISTS ${SODIUM_PREFIX}/lib/libsodium.a)
      message(FATAL_ERROR "scripts/build-sodium.sh could not build libsodium for ${TESSA_MINGW_ARCH}")
    endif()
    set(SODIUM_PREFIX ${SODIUM_PREFIX} CACHE PATH "The static libsodium build for Windows")
  endif()
  target_include_directories(sodium INTERFACE ${SODIUM_PREFIX}/include)
  target_compile_definitions(sodium INTERFACE SODIUM_STATIC)
  target_link_libraries(sodium INTERFACE ${SODIUM_PREFIX}/lib/libsodium.a advapi32)
else()
  find_package(PkgConfig REQUIRED)
  pkg_check_modules(SODIUM REQUIRED IMPORTED_TARGET libsodium)
  target_link_libraries(sodium INTERFACE PkgConfig::SODIUM)
endif()
