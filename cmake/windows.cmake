# Settings of the shipped Windows program: static, so it needs no MinGW runtime DLL beside it.
add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
add_link_options(-static -static-libgcc -static-libstdc++)
# The same reason for zlib: the static library, not the import library of zlib1.dll that
# CMake's search would otherwise prefer.
set(ZLIB_USE_STATIC_LIBS ON)

if(NOT CURL_PREFIX)
  message(FATAL_ERROR "CURL_PREFIX must name the static libcurl build (scripts/build-curl.sh)")
endif()
add_library(curl_static INTERFACE)
target_include_directories(curl_static INTERFACE ${CURL_PREFIX}/include)
target_compile_definitions(curl_static INTERFACE CURL_STATICLIB)
target_link_libraries(curl_static INTERFACE ${CURL_PREFIX}/lib/libcurl.a
  ws2_32 crypt32 bcrypt secur32 advapi32 iphlpapi)
set(TESSA_WINE_RUN ${CMAKE_SOURCE_DIR}/scripts/wine-run)
set(CMAKE_CROSSCOMPILING_EMULATOR ${TESSA_WINE_RUN})

# Signs a test's stand-in installer or DLL as the test publisher after each link, so that the
# repairs accept it as they accept the vendors' signed files.
function(tessa_sign_as_test_publisher target)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${PROJECT_SOURCE_DIR}/scripts/sign-test-file.sh $<TARGET_FILE:${target}> VERBATIM)
endfunction()
