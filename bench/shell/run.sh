#!/usr/bin/env bash
# Start-up benchmark: from process start to the first painted frame of the main window,
# for the program and for a minimal Win32 window program of ours, alternating over several
# rounds under Wine in one run; prints the medians and their ratio. With no catalogue server
# listening the program's requests fail silently, which does not delay its window.
#
# usage: bench/shell/run.sh [ROUNDS]
# The build it measures: the i686 one where the host runs 32-bit programs, else the x86_64 one
# (BENCH_SUITE=32|64 picks one; BENCH_BUILD_DIR overrides its folder: bench/lib/windows-build.sh).
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
rounds=${1:-7}

cd "$root"
./scripts/install-deps.sh
. bench/lib/windows-build.sh
bench_pick_build
build=$bench_build
bench_build_targets Tessavane minimal_window startup_probe

work=$(mktemp -d)
trap 'bench_cleanup "$work"' EXIT
bench_display
bench_prefix "$work/prefix"
# The probe closes the program, which then makes its desktop shortcut: Wine links the desktop
# to the home folder, so it becomes a folder of the throwaway prefix instead.
for desktop in "$WINEPREFIX"/drive_c/users/*/Desktop; do
  if [ -L "$desktop" ]; then rm "$desktop"; mkdir "$desktop"; fi
done
for exe in Tessavane.exe minimal_window.exe; do
  "$wine" reg add "HKCU\\Software\\Wine\\AppDefaults\\$exe\\X11 Driver" /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
done

probe="$build/bench/shell/startup_probe.exe"
program=() minimal=()
for _ in $(seq 1 "$rounds"); do
  # The first tab's selected panel is the program's first frame; the yardstick paints it all.
  program+=("$("$wine" "$probe" "$build/app/Tessavane.exe" Main 10 60 1B68C2 | tr -d '\r')")
  minimal+=("$("$wine" "$probe" "$build/bench/shell/minimal_window.exe" TessaMinimalWindow 10 60 1B68C2 | tr -d '\r')")
done
median() { printf '%s\n' "$@" | sort -n | awk '{v[NR]=$1} END {print v[int((NR+1)/2)]}'; }
fastest() { printf '%s\n' "$@" | sort -n | head -1; }
ratio() { awk -v p="$1" -v m="$2" 'BEGIN {printf "%.2f", p / m}'; }
p=$(median "${program[@]}") m=$(median "${minimal[@]}")
pf=$(fastest "${program[@]}") mf=$(fastest "${minimal[@]}")
echo "program, first painted frame (ms):        ${program[*]}"
echo "minimal Win32 window, first frame (ms):   ${minimal[*]}"
# Wine's start times scatter (its services and the X server wake up at their own pace), so
# the fastest start of each is given beside the medians.
echo "median: program $p ms, minimal $m ms, ratio $(ratio "$p" "$m")"
echo "fastest: program $pf ms, minimal $mf ms, ratio $(ratio "$pf" "$mf")"
echo "$(bench_measured)"
