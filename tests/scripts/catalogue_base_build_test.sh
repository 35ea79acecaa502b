#!/usr/bin/env bash
# Configures the project with catalogue addresses a release must not have, and with ones it
# may, and checks that CMake refuses exactly the first kind. Only the refusal is waited for: a
# configure that passes the check is stopped once it has passed it.
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
exit $((failures > 0))
