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
trap 'bench_cleanup "$work"' EXIT
bench_display
bench_prefix "$work/prefix"
"$wine" "$bench_build"/ui/bench/ui_bench.exe | tr -d '\r'
echo "$(bench_measured)"
