#!/usr/bin/env bash
# Installs what is missing, builds every tree and runs every test: the OS-free core and the
# catalogue server natively under AddressSanitizer/UBSan (plus the fuzz targets), the
# concurrency stress tests under ThreadSanitizer, and the Windows program's tests under Wine.
set -euo pipefail
cd "$(dirname "$0")"
root=$(pwd)

./scripts/install-deps.sh
export TESSAVANE_CURL_PREFIX
TESSAVANE_CURL_PREFIX=$(./scripts/build-curl.sh)
pristine_prefix=$(./scripts/wine-prefix.sh)

failed=()
run_stage() {   # name, then the command
  local name=$1; shift
  echo "==== $name"
  if ! "$@"; then failed+=("$name"); fi
}

build_and_test() {  # preset
  cmake --preset "$1" >/dev/null &&
  cmake --build --preset "$1" &&
  ctest --test-dir "build/$1" --output-on-failure --timeout 600
}

run_stage native build_and_test native
run_stage tsan build_and_test tsan

# The Windows tests get a throwaway copy of the prefix, since they write its registry and
# system folders for real, a display (Xvfb) for anything that opens a window, and one
# wineserver kept alive for the whole run so that each test process starts quickly.
windows_tests() {
  export WINEPREFIX="$root/build/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  rm -rf "$WINEPREFIX"; cp -a "$pristine_prefix" "$WINEPREFIX"
  local xvfb_pid=""
  if [ -z "${DISPLAY:-}" ]; then
    export DISPLAY=:97
    Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 & xvfb_pid=$!
  fi
  wineserver -p 2>/dev/null || true
  # Wine starts its services with the first program; started here with their output going
  # nowhere, so they do not hold ctest's output pipe open (ctest would wait for them forever).
  wine cmd /c exit </dev/null >/dev/null 2>&1 || true
  local rc=0
  build_and_test windows || rc=$?
  wineserver -k || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  return $rc
}
run_stage windows windows_tests

if [ ${#failed[@]} -ne 0 ]; then
  echo "test.sh: failed stages: ${failed[*]}"
  exit 1
fi
echo "test.sh: all stages passed"
