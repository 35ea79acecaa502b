# The public keys whose signature the program accepts on the catalogue document
# (TESSA_CATALOGUE_KEYS, a list of 64-hex-digit Ed25519 keys; two at once while a key is
# rotated). A build whose catalogue lives on this machine embeds the two test keys of the cache
# (scripts/catalogue-test-key.sh) unless told otherwise; any other build must be given its
# operator's keys. TESSA_CATALOGUE_WITHOUT_KEY=ON builds a program that takes its catalogue
# unsigned, for tests whose subject is not the signature; only for a catalogue on this machine.
option(TESSA_CATALOGUE_WITHOUT_KEY "Take the catalogue unsigned (tests on this machine only)" OFF)
if(TESSA_CATALOGUE_WITHOUT_KEY AND NOT TESSA_CATALOGUE_ON_THIS_MACHINE)
  message(FATAL_ERROR "TESSA_CATALOGUE_WITHOUT_KEY: a program for ${CATALOGUE_BASE_URL} must check the "
                      "catalogue's signature; only a build for a catalogue on this machine may skip it")
endif()
if(NOT DEFINED TESSA_CATALOGUE_KEYS AND TESSA_CATALOGUE_ON_THIS_MACHINE AND NOT TESSA_CATALOGUE_WITHOUT_KEY)
  execute_process(COMMAND ${PROJECT_SOURCE_DIR}/scripts/catalogue-test-key.sh
                  OUTPUT_VARIABLE test_key_folder OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE test_key_failed)
  if(test_key_failed)
    message(FATAL_ERROR "scripts/catalogue-test-key.sh could not make the test catalogue keys")
  endif()
  file(READ ${test_key_folder}/first.hex first_key)
  file(READ ${test_key_folder}/second.hex second_key)
  set(TESSA_CATALOGUE_KEYS "${first_key};${second_key}")
  set(TESSA_CATALOGUE_TEST_KEYS ${test_key_folder})
endif()
if(TESSA_CATALOGUE_WITHOUT_KEY)
  set(TESSA_CATALOGUE_KEYS "")
elseif("${TESSA_CATALOGUE_KEYS}" STREQUAL "")
  message(FATAL_ERROR "TESSA_CATALOGUE_KEYS is empty: a program for ${CATALOGUE_BASE_URL} needs its operator's "
                      "public catalogue key (tessa-catalogue keygen prints it)")
endif()
set(catalogue_key_literals "")
foreach(key IN LISTS TESSA_CATALOGUE_KEYS)
  if(NOT key MATCHES "^[0-9a-fA-F]+$")
    message(FATAL_ERROR "TESSA_CATALOGUE_KEYS: \"${key}\" is not a key in hexadecimal")
  endif()
  string(LENGTH "${key}" key_length)
  if(NOT key_length EQUAL 64)
    message(FATAL_ERROR "TESSA_CATALOGUE_KEYS: \"${key}\" is not 64 hexadecimal digits (an Ed25519 public key)")
  endif()
  string(APPEND catalogue_key_literals "\"${key}\", ")
endforeach()
file(CONFIGURE OUTPUT ${PROJECT_BINARY_DIR}/generated/catalogue_keys_list.h
  CONTENT "// Made by cmake/catalogue_keys.cmake from TESSA_CATALOGUE_KEYS.\n#define TESSA_CATALOGUE_KEY_HEX ${catalogue_key_literals}\n")
if(TESSA_CATALOGUE_WITHOUT_KEY)
  message(STATUS "Catalogue keys: none, the catalogue is taken unsigned (TESSA_CATALOGUE_WITHOUT_KEY)")
else()
  message(STATUS "Catalogue keys: ${TESSA_CATALOGUE_KEYS}")
endif()
