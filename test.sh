#!/usr/bin/env bash
# Installs what is missing, builds every tree and runs every test: the OS-free core and the
# catalogue server natively under AddressSanitizer/UBSan (plus the fuzz targets), the
# concurrency stress tests under ThreadSanitizer, and the Windows program's tests under Wine:
# the x86_64 suite on every host, the i686 suite (the shipped program) where the host runs
# 32-bit programs (scripts/host-kind.sh; TESSAVANE_WINDOWS_SUITES=64 forces the x86_64 only).
# TESSAVANE_STAGES (default "native tsan windows windows64") runs only the stages named.
set -euo pipefail
cd "$(dirname "$0")"
root=$(pwd)
started=$SECONDS

./scripts/install-deps.sh
suites=$(./scripts/host-kind.sh)
runs32=0; [[ " $suites " == *" 32 "* ]] && runs32=1
# The demo's stand-in installers must start under the Wine this host has.
standin_arch=i686; [ "$runs32" = 1 ] || standin_arch=x86_64

export TESSAVANE_CURL_PREFIX TESSAVANE_CURL_PREFIX_X86_64
TESSAVANE_CURL_PREFIX=$(./scripts/build-curl.sh)
TESSAVANE_CURL_PREFIX_X86_64=$(./scripts/build-curl.sh --arch x86_64)

failed=()
summary=()
stages=" ${TESSAVANE_STAGES:-native tsan windows windows64} "
run_stage() {   # name, then the command
  local name=$1; shift
  if [[ "$stages" != *" ${name%% *} "* ]]; then
    summary+=("$name: not asked for (TESSAVANE_STAGES)"); return 0
  fi
  local t0=$SECONDS rc=0
  echo "==== $name"
  "$@" || rc=$?
  if [ "$rc" -ne 0 ]; then failed+=("$name"); fi
  summary+=("$name: $([ "$rc" = 0 ] && echo passed || echo FAILED) in $((SECONDS - t0)) s")
}

build_and_test() {  # preset, then extra configure arguments
  local preset=$1; shift
  cmake --preset "$preset" "$@" >/dev/null &&
  cmake --build --preset "$preset" &&
  ctest --test-dir "build/$preset" --output-on-failure --timeout 600
  local rc=$?
  report_skips "build/$preset"
  return $rc
}

# GoogleTest's skips pass as far as ctest is concerned; list them with their reasons so that
# nothing is dropped silently. The reason is the line after "...: Skipped".
report_skips() {  # build folder
  local log="$1/Testing/Temporary/LastTest.log"
  [ -f "$log" ] || return 0
  awk '/: Skipped$/ { getline reason; next_reason = reason; next }
       /^\[  SKIPPED \] [^ ]+ \(/ { print "  skipped: " $4 " -- " next_reason; next_reason = "" }' "$log" |
    sort -u | tee "$1/skipped.txt"
  local count
  count=$(wc -l < "$1/skipped.txt")
  echo "$1: $count test case(s) skipped"
}

run_stage native build_and_test native -DTESSA_STANDIN_ARCH="$standin_arch"
run_stage tsan build_and_test tsan

# The Windows tests get a throwaway copy of the prefix, since they write its registry and
# system folders for real, a display (Xvfb) for anything that opens a window, and one
# wineserver kept alive for the whole run so that each test process starts quickly.
windows_tests() {  # preset, suite (32 or 64)
  local preset=$1 suite=$2 pristine
  pristine=$(./scripts/wine-prefix.sh --arch "$suite")
  export TESSAVANE_WINE_SUITE=$suite
  export WINEPREFIX="$root/build/wineprefix-$suite" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  . scripts/lib/wine.sh
  wine_use_suite "$suite"
  rm -rf "$WINEPREFIX"; cp -a "$pristine" "$WINEPREFIX"
  local xvfb_pid=""
  if [ -z "${DISPLAY:-}" ]; then
    export DISPLAY=:97
    Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 & xvfb_pid=$!
  fi
  wineserver -p 2>/dev/null || true
  # Wine starts its services with the first program; started here with their output going
  # nowhere, so they do not hold ctest's output pipe open (ctest would wait for them forever).
  "$wine" cmd /c exit </dev/null >/dev/null 2>&1 || true
  # The stand-ins are signed by the test publisher; this prefix trusts it as Windows trusts
  # the vendors.
  local rc=0
  ./scripts/trust-test-publisher.sh "$suite" || rc=$?
  if [ "$rc" = 0 ]; then build_and_test "$preset" || rc=$?; fi
  wineserver -k || true
  [ -n "$xvfb_pid" ] && { kill "$xvfb_pid" 2>/dev/null; wait "$xvfb_pid" 2>/dev/null; } || true
  unset DISPLAY WINELOADER
  return $rc
}

# The shipped i686 program is built on every host, and its image checked (that needs no Wine).
shipped_image_only() {
  cmake --preset windows >/dev/null &&
  cmake --build --preset windows --target Tessavane &&
  ctest --test-dir build/windows --output-on-failure -R '^program_image$'
}

if [ "$runs32" = 1 ]; then
  run_stage "windows (i686 suite)" windows_tests windows 32
else
  run_stage "windows (i686 program image only)" shipped_image_only
  summary+=("windows (i686 suite): NOT RUN: this host runs no 32-bit program, and Wine starts a 32-bit Windows program only through its 32-bit loader")
fi
run_stage "windows64 (x86_64 suite)" windows_tests windows64 64

echo "==== summary ($((SECONDS - started)) s in all)"
printf '  %s\n' "${summary[@]}"
if [ ${#failed[@]} -ne 0 ]; then
  echo "test.sh: failed stages: ${failed[*]}"
  exit 1
fi
echo "test.sh: all stages passed"
