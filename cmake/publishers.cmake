# Whose Authenticode signatures the program accepts on the installers it runs and the DLLs it
# copies, as the signing certificates' common names (TESSA_TRUSTED_PUBLISHERS, a list). The
# default is the vendor of every package the catalogue offers, and for a build whose catalogue
# lives on this machine (the demo, the tests) also the test publisher that signs the demo's
# stand-ins. That publisher's key lies unprotected in the build cache
# (scripts/test-publisher.sh), so no build that talks to another machine may trust it.
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
set(publisher_literals "")
foreach(name IN LISTS TESSA_TRUSTED_PUBLISHERS)
  if(name STREQUAL "" OR name MATCHES "[\"\\\\\n]")
    message(FATAL_ERROR "TESSA_TRUSTED_PUBLISHERS: \"${name}\" is not a plain certificate name")
  endif()
  string(APPEND publisher_literals "\"${name}\", ")
endforeach()
if(publisher_literals STREQUAL "")
  message(FATAL_ERROR "TESSA_TRUSTED_PUBLISHERS is empty: the program could repair nothing")
endif()
file(CONFIGURE OUTPUT ${PROJECT_BINARY_DIR}/generated/trusted_publishers_list.h
  CONTENT "// Made by cmake/publishers.cmake from TESSA_TRUSTED_PUBLISHERS.\n#define TESSA_TRUSTED_PUBLISHER_NAMES ${publisher_literals}\n")
message(STATUS "Trusted publishers: ${TESSA_TRUSTED_PUBLISHERS}")
