#!/usr/bin/env bash
# The UI framework's figures (ui_bench.cpp: every layout parsed and built, one full repaint, an
# idle window's CPU) under Wine, on a display of its own when none is set. Measures the i686
# build where the host runs 32-bit programs, else the x86_64 one (BENCH_SUITE=32|64 picks one:
# bench/lib/windows-build.sh), and says which build and loader it measured.
set -euo pipefail
cd "$(dirname "$0")/../.."
./scripts/install-deps.sh
. bench/lib/windows-build.sh
bench_pick_build
bench_build_targets ui_bench

work=$(mktemp -d)
xvfb=""
cleanup() {
  wineserver -k 2>/dev/null || true
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
if [ -z "${DISPLAY:-}" ]; then
  for n in $(seq 80 89); do [ -e "/tmp/.X11-unix/X$n" ] || break; done
  export DISPLAY=":$n"
  Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 & xvfb=$!
  sleep 1
fi
bench_prefix "$work/prefix"
"$wine" "$bench_build"/ui/bench/ui_bench.exe | tr -d '\r'
echo "$(bench_measured)"
