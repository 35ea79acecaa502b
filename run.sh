#!/usr/bin/env bash
# Installs what is missing, builds the program and the catalogue server, starts the server
# with the demo catalogue on 127.0.0.1:8080 in the background and the program under Wine in
# a prefix of its own. On a display the program runs until you close it; without one it runs
# under Xvfb, a screenshot of its main window is written to the file named below, and the
# program is then closed with its own close button. The server stops when the program ends.
#
#   ./run.sh        environment: PORT (default 8080, built into the program as its server
#                   address), RUN_SCREENSHOT (the screenshot file), RUN_BUILD_DIR (default
#                   build/windows, or build/windows64 below)
#
# Where the host runs no 32-bit program (scripts/host-kind.sh), Wine cannot start the shipped
# i686 program; the x86_64 build then runs under Wine's 64-bit loader instead, and the demo's
# stand-in installers are built for x86_64 too.
set -euo pipefail
cd "$(dirname "$0")"
root=$(pwd)
port=${PORT:-8080}
screenshot=${RUN_SCREENSHOT:-$root/build/run-screenshot.png}

./scripts/install-deps.sh
if [[ " $(./scripts/host-kind.sh) " == *" 32 "* ]]; then
  suite=32 preset=windows run_prefix=run-prefix
  export TESSAVANE_CURL_PREFIX
  TESSAVANE_CURL_PREFIX=$(./scripts/build-curl.sh)
else
  suite=64 preset=windows64 run_prefix=run-prefix64
  echo "run.sh: this host runs no 32-bit program, so Wine cannot start the shipped i686 program; running the x86_64 build under Wine's 64-bit loader"
  export TESSAVANE_CURL_PREFIX_X86_64
  TESSAVANE_CURL_PREFIX_X86_64=$(./scripts/build-curl.sh --arch x86_64)
fi
build=${RUN_BUILD_DIR:-$root/build/$preset}
pristine_prefix=$(./scripts/wine-prefix.sh --arch "$suite")
. scripts/lib/wine.sh
wine_use_suite "$suite"

cmake --preset "$preset" -B "$build" -DCATALOGUE_BASE_URL="http://127.0.0.1:$port" >/dev/null
cmake --build "$build" --target Tessavane
exe="$build/app/Tessavane.exe"

port_open() { (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null; }
if port_open "$port"; then
  echo "run.sh: port $port is taken; stop what listens there or run PORT=N ./run.sh" >&2
  exit 1
fi

server_log="$root/build/run-server.log"
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
}
trap cleanup EXIT
echo "run.sh: starting the catalogue server (log: $server_log)"
./scripts/serve-demo --port "$port" >"$server_log" 2>&1 &
pids+=($!)
# The first start builds the server, which takes a few minutes.
for _ in $(seq 1 900); do
  port_open "$port" && break
  kill -0 "${pids[0]}" 2>/dev/null || { echo "run.sh: the server did not start:" >&2; tail "$server_log" >&2; exit 1; }
  sleep 1
done
port_open "$port" || { echo "run.sh: the server is not listening on $port" >&2; exit 1; }

# The program's own prefix, copied once from the pristine one and kept between runs, so its
# sign-in, image cache and desktop shortcut stay. Wine links the desktop to the home folder;
# here it is a folder of the prefix, so the shortcut lands inside it.
export WINEPREFIX="$root/build/$run_prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
if [ ! -f "$WINEPREFIX/.complete" ]; then
  rm -rf "$WINEPREFIX"
  cp -a "$pristine_prefix" "$WINEPREFIX"
  for desktop in "$WINEPREFIX"/drive_c/users/*/Desktop; do
    if [ -L "$desktop" ]; then rm "$desktop"; mkdir "$desktop"; fi
  done
  touch "$WINEPREFIX/.complete"
fi
# The demo's stand-ins are signed by the test publisher, which the demo build trusts: this
# prefix trusts its root as Windows trusts the vendors'.
if [ ! -f "$WINEPREFIX/.test-publisher-trusted" ]; then
  ./scripts/trust-test-publisher.sh "$suite"
  touch "$WINEPREFIX/.test-publisher-trusted"
fi

headless=0
if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then
  headless=1
  for n in $(seq 90 120); do [ -e "/tmp/.X11-unix/X$n" ] || break; done
  export DISPLAY=":$n"
  Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  pids+=($!)
  sleep 1
fi
wineserver -p 2>/dev/null || true
"$wine" cmd /c exit </dev/null >/dev/null 2>&1 || true

echo "run.sh: starting $exe (catalogue server http://127.0.0.1:$port)"
"$wine" "$exe" &
program=$!

if [ "$headless" = 1 ]; then
  window=""
  for _ in $(seq 1 60); do
    window=$(xdotool search --onlyvisible --name '运行库修复助手' 2>/dev/null | head -1) && [ -n "$window" ] && break
    sleep 0.5
  done
  if [ -n "$window" ]; then
    sleep 4   # the catalogue loads and the window settles
    import -window root "$screenshot"
    echo "run.sh: no display; the main window ran under Xvfb $DISPLAY, screenshot: $screenshot"
    # The header's close button (814,8, 22x22): the program's own way out.
    xdotool mousemove --window "$window" 825 19 click 1
  else
    echo "run.sh: the main window did not appear" >&2
    kill "$program" 2>/dev/null || true
  fi
fi

rc=0
wait "$program" || rc=$?
echo "run.sh: the program ended with $rc; stopping the server"
wineserver -k 2>/dev/null || true
exit "$rc"
