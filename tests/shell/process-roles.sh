#!/usr/bin/env bash
# The shipped program started as a browser engine's helper process: with a "type" switch of
# any value ("renderer", another, an empty one, or none after the name, in each spelling an
# engine uses) it ends at once with exit code 0 and shows no window. Started without one, the
# same program does show its main window, so the quick ends above are the switch's doing, and
# it has put its document mode for the system's browser control in the registry.
#
# usage: process-roles.sh WINE_RUN PROGRAM.exe
set -euo pipefail
wine_run=$1 exe=$2
: "${WINEPREFIX:?WINEPREFIX must name the test prefix}"
: "${DISPLAY:?DISPLAY must name the test X display (Xvfb)}"
program=""
trap '[ -n "$program" ] && kill "$program" 2>/dev/null || true' EXIT
fail() { echo "process-roles: $*" >&2; exit 1; }
main_window() { xdotool search --name '^运行库修复助手$' 2>/dev/null | head -1 || true; }

# A value from an earlier run must not pass for this one's.
"$wine_run" reg delete 'HKCU\Software\Microsoft\Internet Explorer\Main\FeatureControl\FEATURE_BROWSER_EMULATION' \
  /v "$(basename "$exe")" /f >/dev/null 2>&1 || true
for switch in --type=renderer --type=gpu-process --type=utility --type= --type -type=renderer /type=renderer \
              --TYPE=renderer; do
  [ -z "$(main_window)" ] || fail "a main window is already open"
  start=$(date +%s%N)
  rc=0
  timeout 30 "$wine_run" "$exe" "$switch" </dev/null >/dev/null 2>&1 || rc=$?
  ms=$(( ($(date +%s%N) - start) / 1000000 ))
  [ "$rc" = 0 ] || fail "$switch: exit code $rc"
  # A Wine process start alone takes up to a few seconds; a window would have kept it alive.
  [ "$ms" -lt 15000 ] || fail "$switch: took ${ms} ms"
  echo "ok   $switch: exit 0 after ${ms} ms, no window"
done

"$wine_run" "$exe" </dev/null >/dev/null 2>&1 &
program=$!
for _ in $(seq 1 100); do
  [ -n "$(main_window)" ] && break
  kill -0 "$program" 2>/dev/null || fail "without a switch the program ended before its window appeared"
  sleep 0.2
done
[ -n "$(main_window)" ] || fail "without a switch no main window appeared"
echo "ok   no switch: the main window appears"

# The browser process set its engine's document mode for this executable's name.
emulation='HKCU\Software\Microsoft\Internet Explorer\Main\FeatureControl\FEATURE_BROWSER_EMULATION'
"$wine_run" reg query "$emulation" /v "$(basename "$exe")" 2>/dev/null | tr -d '\r' |
  grep -q "REG_DWORD *0x2af9" || fail "no FEATURE_BROWSER_EMULATION value 11001 for $(basename "$exe")"
echo "ok   no switch: FEATURE_BROWSER_EMULATION is 11001 for $(basename "$exe")"
