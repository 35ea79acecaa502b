#!/usr/bin/env bash
# Configures the project with catalogue addresses a release must not have, and with ones it
# may, and checks that CMake refuses exactly the first kind; then the same for the publishers a
# build trusts: the test publisher only where the catalogue is on this machine, and every
# publisher pinned by well-formed root keys. Only the refusal is waited for: a configure that
# passes the checks is stopped once it has passed them.
set -u
src=$1
failures=0
check() {  # expected(refused|accepted) url
  local dir out
  dir=$(mktemp -d)
  out=$(timeout 20 cmake -S "$src" -B "$dir" -DCATALOGUE_BASE_URL="$2" 2>&1 | head -c 20000 | tr -s " \n" "  ")
  rm -rf "$dir"
  if [[ "$out" == *"use https://host"* ]]; then got=refused; else got=accepted; fi
  if [ "$got" != "$1" ]; then
    echo "FAIL: $2 was $got, expected $1"
    failures=$((failures + 1))
  else
    echo "ok: $2 $got"
  fi
}
check refused "http://catalogue.example.com:8080"
check refused "http://127.0.0.1.example.com"
check refused "http://0.0.0.0:8080"
check refused "https://catalogue.example.com/path"
check refused "ftp://127.0.0.1"
check accepted "https://catalogue.example.com"
check accepted "http://127.0.0.1:8080"
check accepted "http://[::1]:8080"

configure_output() {  # cmake arguments...
  local dir out
  dir=$(mktemp -d)
  out=$(timeout 20 cmake -S "$src" -B "$dir" "$@" 2>&1 | head -c 20000 | tr -s " \n" "  ")
  rm -rf "$dir"
  printf '%s' "$out"
}
expect_in() {  # what, text expected, cmake arguments...
  local what=$1 expected=$2 out; shift 2
  out=$(configure_output "$@")
  if [[ "$out" == *"$expected"* ]]; then echo "ok: $what"; else
    echo "FAIL: $what: no \"$expected\" in: ${out:0:600}"; failures=$((failures + 1)); fi
}
# A release needs its operator's catalogue key; this one is only well-formed.
release_key=$(printf '%064d' 7)
expect_in "a release trusts the vendor only" "Trusted publishers: Microsoft Corporation --" \
  -DCATALOGUE_BASE_URL="https://catalogue.example.com" -DTESSA_CATALOGUE_KEYS="$release_key"
expect_in "a local build trusts the test publisher too" \
  "Trusted publishers: Microsoft Corporation;Tessavane Test Publisher" -DCATALOGUE_BASE_URL="http://127.0.0.1:8080"
expect_in "a release may not be told to trust the test publisher" "signs with a key that is no secret" \
  -DCATALOGUE_BASE_URL="https://catalogue.example.com" \
  "-DTESSA_TRUSTED_PUBLISHERS=Microsoft Corporation;Tessavane Test Publisher"
expect_in "a publisher name that would break out of its quotes" "is not a plain certificate name" \
  "-DTESSA_TRUSTED_PUBLISHERS=Microsoft Corporation\", evil(), \""

# The catalogue keys: a release must be given its operator's, a local build embeds the test keys
# unless it is told to take its catalogue unsigned, which only a local build may.
expect_in "a release without a catalogue key" "TESSA_CATALOGUE_KEYS is empty" \
  -DCATALOGUE_BASE_URL="https://catalogue.example.com"
expect_in "a release that would take its catalogue unsigned" "must check the catalogue's signature" \
  -DCATALOGUE_BASE_URL="https://catalogue.example.com" -DTESSA_CATALOGUE_WITHOUT_KEY=ON
expect_in "a key that is not 64 hexadecimal digits" "is not 64 hexadecimal digits" \
  -DCATALOGUE_BASE_URL="https://catalogue.example.com" -DTESSA_CATALOGUE_KEYS="${release_key}0"
expect_in "a key that is not hexadecimal" "is not a key in hexadecimal" \
  -DCATALOGUE_BASE_URL="https://catalogue.example.com" "-DTESSA_CATALOGUE_KEYS=${release_key:1}\""
test_keys=$("$src/scripts/catalogue-test-key.sh")
expect_in "a local build embeds both test keys" \
  "Catalogue keys: $(cat "$test_keys/first.hex");$(cat "$test_keys/second.hex")" -DCATALOGUE_BASE_URL="http://127.0.0.1:8080"
expect_in "a local build may take its catalogue unsigned" "the catalogue is taken unsigned" \
  -DCATALOGUE_BASE_URL="http://127.0.0.1:8080" -DTESSA_CATALOGUE_WITHOUT_KEY=ON
expect_in "a publisher the build knows no root key of" "\"Contoso Ltd\" names no root key" \
  -DCATALOGUE_BASE_URL="https://catalogue.example.com" "-DTESSA_TRUSTED_PUBLISHERS=Microsoft Corporation;Contoso Ltd"
expect_in "a publisher pinned by its root key" "Trusted publishers' root keys: 5" \
  -DCATALOGUE_BASE_URL="https://catalogue.example.com" "-DTESSA_TRUSTED_PUBLISHERS=Microsoft Corporation;Contoso Ltd" \
  "-DTESSA_PUBLISHER_ROOT_KEYS=Contoso Ltd=$(printf '%064d' 7)"
expect_in "a root key that is no SHA-256" "is not a SHA-256 in hex" \
  -DCATALOGUE_BASE_URL="https://catalogue.example.com" "-DTESSA_TRUSTED_PUBLISHERS=Contoso Ltd" \
  "-DTESSA_PUBLISHER_ROOT_KEYS=Contoso Ltd=abc"
expect_in "a root key for a publisher the build does not trust" "is not among TESSA_TRUSTED_PUBLISHERS" \
  -DCATALOGUE_BASE_URL="https://catalogue.example.com" \
  "-DTESSA_PUBLISHER_ROOT_KEYS=Contoso Ltd=$(printf '%064d' 7)"
expect_in "the Microsoft roots left out" "\"Microsoft Corporation\" names no root key" \
  -DCATALOGUE_BASE_URL="https://catalogue.example.com" "-DTESSA_MICROSOFT_ROOT_KEYS="
exit $((failures > 0))
