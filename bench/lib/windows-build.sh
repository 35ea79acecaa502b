# Which Windows build a benchmark measures, and the Wine that runs it. Sourced by the benchmark
# scripts from the project's root.
#
#   bench_pick_build          chooses the build (below) and builds nothing yet; sets
#                             bench_suite (32|64), bench_arch (i686|x86_64), bench_preset,
#                             bench_build (its folder), bench_cc (the MinGW C compiler) and
#                             $wine (the loader, from scripts/lib/wine.sh), and exports the
#                             libcurl prefix the preset needs
#   bench_build_targets T...  configures the chosen preset and builds the named targets
#   bench_prefix DIR          a throwaway copy of the suite's pristine prefix in DIR, trusting
#                             the test publisher, with a wineserver kept alive; exports WINEPREFIX
#   bench_measured            the line each benchmark prints: which build and loader it measured
#   bench_display             an X display of its own (Xvfb) when none is set
#   bench_cleanup DIR         ends the wineserver and the display it started, removes DIR
#
# BENCH_SUITE=32|64 picks the build; by default the i686 build (the shipped program) where the
# host runs 32-bit programs, the x86_64 build under Wine's 64-bit loader elsewhere, as run.sh does.
# BENCH_BUILD_DIR overrides the build folder.

bench_pick_build() {
  local suites
  suites=$(./scripts/host-kind.sh)
  bench_suite=${BENCH_SUITE:-}
  if [ -z "$bench_suite" ]; then
    bench_suite=64; [[ " $suites " == *" 32 "* ]] && bench_suite=32
  fi
  case "$bench_suite" in
    32)
      [[ " $suites " == *" 32 "* ]] || {
        echo "bench: BENCH_SUITE=32 asks for the i686 build, but this host runs no 32-bit program" >&2
        return 2
      }
      bench_arch=i686 bench_preset=windows
      export TESSAVANE_CURL_PREFIX
      TESSAVANE_CURL_PREFIX=$(./scripts/build-curl.sh) ;;
    64)
      bench_arch=x86_64 bench_preset=windows64
      export TESSAVANE_CURL_PREFIX_X86_64
      TESSAVANE_CURL_PREFIX_X86_64=$(./scripts/build-curl.sh --arch x86_64) ;;
    *) echo "bench: BENCH_SUITE may be 32 or 64, not '$bench_suite'" >&2; return 2 ;;
  esac
  bench_build=${BENCH_BUILD_DIR:-$PWD/build/$bench_preset}
  bench_cc=$bench_arch-w64-mingw32-gcc-posix
  . ./scripts/lib/wine.sh
  wine_use_suite "$bench_suite"
  echo "bench: $(bench_measured)" >&2
}

bench_measured() {
  echo "measured the $bench_arch build ($bench_build) under $wine"
}

bench_build_targets() {
  cmake --preset "$bench_preset" -B "$bench_build" >/dev/null
  cmake --build "$bench_build" --target "$@" >/dev/null
}

bench_prefix() {
  local pristine
  pristine=$(./scripts/wine-prefix.sh --arch "$bench_suite")
  export WINEPREFIX=$1 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  rm -rf "$WINEPREFIX"; cp -a "$pristine" "$WINEPREFIX"
  wineserver -p 2>/dev/null || true
  "$wine" cmd /c exit </dev/null >/dev/null 2>&1 || true
  ./scripts/trust-test-publisher.sh "$bench_suite" 2>/dev/null
}

bench_display() {
  bench_xvfb=""
  [ -z "${DISPLAY:-}" ] || return 0
  local n
  for n in $(seq 80 89); do [ -e "/tmp/.X11-unix/X$n" ] || break; done
  export DISPLAY=":$n"
  Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 & bench_xvfb=$!
  sleep 1
}

bench_cleanup() {
  wineserver -k 2>/dev/null || true
  [ -n "${bench_xvfb:-}" ] && kill "$bench_xvfb" 2>/dev/null || true
  rm -rf "$1"
}
