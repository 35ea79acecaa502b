# Whose Authenticode signatures the program accepts on the installers it runs and the DLLs it
# copies, as the signing certificates' common names (TESSA_TRUSTED_PUBLISHERS, a list). The
# default is the vendor of every package the catalogue offers, and for a build whose catalogue
# lives on this machine (the demo, the tests) also the test publisher that signs the demo's
# stand-ins. That publisher's key lies unprotected in the build cache
# (scripts/test-publisher.sh), so no build that talks to another machine may trust it.
#
# Each publisher is pinned by the public keys of the roots its chains end in: the SHA-256 of
# the root's DER SubjectPublicKeyInfo, in hex (`openssl x509 -noout -pubkey -in ROOT.pem |
# openssl pkey -pubin -outform DER | sha256sum`). A certificate of the same name under any
# other root, even one whose root bears the same name, is not that publisher.
#   Microsoft Corporation      TESSA_MICROSOFT_ROOT_KEYS, below
#   Tessavane Test Publisher   computed here from the cache's test root
#   any other publisher        TESSA_PUBLISHER_ROOT_KEYS, a list of "Name=hash" entries
set(TESSA_TEST_PUBLISHER "Tessavane Test Publisher")
set(TESSA_CATALOGUE_ON_THIS_MACHINE OFF)
if(CATALOGUE_BASE_URL MATCHES "^https?://(127\\.[0-9]+\\.[0-9]+\\.[0-9]+|localhost|\\[::1\\])(:[0-9]+)?$")
  set(TESSA_CATALOGUE_ON_THIS_MACHINE ON)
endif()
if(NOT DEFINED TESSA_TRUSTED_PUBLISHERS)
  set(TESSA_TRUSTED_PUBLISHERS "Microsoft Corporation")
  if(TESSA_CATALOGUE_ON_THIS_MACHINE)
    list(APPEND TESSA_TRUSTED_PUBLISHERS "${TESSA_TEST_PUBLISHER}")
  endif()
endif()
if(TESSA_TEST_PUBLISHER IN_LIST TESSA_TRUSTED_PUBLISHERS AND NOT TESSA_CATALOGUE_ON_THIS_MACHINE)
  message(FATAL_ERROR "TESSA_TRUSTED_PUBLISHERS: \"${TESSA_TEST_PUBLISHER}\" signs with a key that is no "
                      "secret; only a build whose catalogue is on this machine may trust it, not one for "
                      "${CATALOGUE_BASE_URL}")
endif()

# The roots Microsoft's code-signing chains end in, from the redistributables of 2005 (VC++
# 2005, DirectX) to those of 2022 (VC++ 2015-2022). Each hash was computed from the certificate
# as Wine 8.0 ships it among crypt32's built-in roots (the SHA-1 thumbprints below are
# Windows' names for them):
if(NOT DEFINED TESSA_MICROSOFT_ROOT_KEYS)
  set(TESSA_MICROSOFT_ROOT_KEYS
    # Microsoft Root Authority (1997-2020), A43489159A520F0D93D032CCAF37E7FE20A8B419:
    # "Microsoft Code Signing PCA" and the older redistributables chain to it.
    4462c107c485dd6a5443f5e7a1604416034a374c3f4d10875f1c3715027563af
    # Microsoft Root Certificate Authority (2001-2021), CDD4EEAE6000AC7F40C3802C171E30148030C072
    df530bac9fcd914c252c2fbdceddc6183d4ae8c680ad65f03e204861dd7b1c73
    # Microsoft Root Certificate Authority 2010, 3B1EFD3A66EA28B16697394703A72CA340A05BD5
    # ("Microsoft Windows Production PCA 2011", "Microsoft Code Signing PCA 2010")
    c9905b0ee01202293ca026e64f08412442c5504c06e44ca7e9726d61f20e4089
    # Microsoft Root Certificate Authority 2011, 8F43288AD272F3103B6FB1428485EA3014C0BCFE
    # ("Microsoft Code Signing PCA 2011": VC++ 2012 onwards)
    02376d0908ac23041cc7d666d9daf192554f7fc36317aa9cb800908616b28af8)
endif()
if(NOT DEFINED TESSA_PUBLISHER_ROOT_KEYS)
  set(TESSA_PUBLISHER_ROOT_KEYS "")
endif()

# Every key as "Name=hash".
set(publisher_keys "")
if("Microsoft Corporation" IN_LIST TESSA_TRUSTED_PUBLISHERS)
  foreach(key IN LISTS TESSA_MICROSOFT_ROOT_KEYS)
    list(APPEND publisher_keys "Microsoft Corporation=${key}")
  endforeach()
endif()
if(TESSA_TEST_PUBLISHER IN_LIST TESSA_TRUSTED_PUBLISHERS)
  # The cache's own test root; a new cache (another key) makes CMake configure again.
  execute_process(COMMAND ${PROJECT_SOURCE_DIR}/scripts/test-publisher.sh
    OUTPUT_VARIABLE test_publisher_folder RESULT_VARIABLE folder_rc OUTPUT_STRIP_TRAILING_WHITESPACE)
  execute_process(COMMAND ${PROJECT_SOURCE_DIR}/scripts/test-publisher.sh --root-key
    OUTPUT_VARIABLE test_root_key RESULT_VARIABLE key_rc OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT folder_rc EQUAL 0 OR NOT key_rc EQUAL 0)
    message(FATAL_ERROR "scripts/test-publisher.sh could not make or read the test publisher's root")
  endif()
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${test_publisher_folder}/root.pem")
  list(APPEND publisher_keys "${TESSA_TEST_PUBLISHER}=${test_root_key}")
endif()
list(APPEND publisher_keys ${TESSA_PUBLISHER_ROOT_KEYS})

set(publisher_literals "")
set(publisher_key_literals "")
foreach(name IN LISTS TESSA_TRUSTED_PUBLISHERS)
  if(name STREQUAL "" OR name MATCHES "[\"\\\\\n]")
    message(FATAL_ERROR "TESSA_TRUSTED_PUBLISHERS: \"${name}\" is not a plain certificate name")
  endif()
  string(APPEND publisher_literals "\"${name}\", ")
  set(keys "")
  foreach(entry IN LISTS publisher_keys)
    string(FIND "${entry}" "=" equals REVERSE)
    if(equals LESS 1)
      message(FATAL_ERROR "TESSA_PUBLISHER_ROOT_KEYS: \"${entry}\" is not \"Publisher Name=hash\"")
    endif()
    string(SUBSTRING "${entry}" 0 ${equals} key_owner)
    math(EXPR after "${equals} + 1")
    string(SUBSTRING "${entry}" ${after} -1 key)
    string(LENGTH "${key}" key_length)
    if(NOT key MATCHES "^[0-9A-Fa-f]+$" OR NOT key_length EQUAL 64)
      message(FATAL_ERROR "root key of \"${key_owner}\": \"${key}\" is not a SHA-256 in hex (64 digits)")
    endif()
    if(NOT key_owner IN_LIST TESSA_TRUSTED_PUBLISHERS)
      message(FATAL_ERROR "TESSA_PUBLISHER_ROOT_KEYS: \"${key_owner}\" is not among TESSA_TRUSTED_PUBLISHERS")
    endif()
    if(key_owner STREQUAL name)
      string(TOLOWER "${key}" key)
      string(APPEND keys "\"${key}\", ")
    endif()
  endforeach()
  if(keys STREQUAL "")
    message(FATAL_ERROR "TESSA_TRUSTED_PUBLISHERS: \"${name}\" names no root key; pin its roots with "
                        "-DTESSA_PUBLISHER_ROOT_KEYS=\"${name}=<SHA-256 of the root's SubjectPublicKeyInfo>\"")
  endif()
  string(APPEND publisher_key_literals "{\"${name}\", {${keys}}}, ")
endforeach()
if(publisher_literals STREQUAL "")
  message(FATAL_ERROR "TESSA_TRUSTED_PUBLISHERS is empty: the program could repair nothing")
endif()
file(CONFIGURE OUTPUT ${PROJECT_BINARY_DIR}/generated/trusted_publishers_list.h
  CONTENT "// Made by cmake/publishers.cmake from TESSA_TRUSTED_PUBLISHERS and the roots' keys.
#define TESSA_TRUSTED_PUBLISHER_NAMES ${publisher_literals}
#define TESSA_TRUSTED_PUBLISHER_ROOT_KEYS ${publisher_key_literals}
")
message(STATUS "Trusted publishers: ${TESSA_TRUSTED_PUBLISHERS}")
list(LENGTH publisher_keys key_count)
message(STATUS "Trusted publishers' root keys: ${key_count}")
