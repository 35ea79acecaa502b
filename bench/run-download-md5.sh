#!/usr/bin/env bash
# Throughput of the download worker and of FileMd5 on a 512 MiB file, each beside the
# reference tool in the same run (curl -o from the same loopback server; md5sum), as ratios.
# The Windows builds run under Wine, as the program does; the native builds are shown too.
# Needs the windows and native trees built (./test.sh does that). Prints the figures.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
size_mib=${SIZE_MIB:-512}
work=$(mktemp -d /var/tmp/tessa-bench.XXXXXX)
trap 'kill $server 2>/dev/null; rm -rf "$work"' EXIT
mkdir -p "$work/files"
head -c $((size_mib * 1048576)) /dev/urandom > "$work/files/big.bin"

build/windows/host/fixture_server --port-file "$work/port" --root "$work/files" & server=$!
for _ in $(seq 100); do [ -s "$work/port" ] && break; sleep 0.05; done
url="http://127.0.0.1:$(cat "$work/port")/files/big.bin"

export WINEPREFIX=${WINEPREFIX:-$root/build/wineprefix} WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wineserver -p 2>/dev/null || true; wine cmd /c exit </dev/null >/dev/null 2>&1 || true
winpath() { echo "Z:${1//\//\\}"; }
mibs() { awk -v b=$((size_mib * 1048576)) -v s="$1" 'BEGIN { printf "%.1f", b / s / 1048576 }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }

echo "== download of ${size_mib} MiB over loopback"
curl_s=$(curl -s -o "$work/curl.bin" -w '%{time_total}' "$url")
echo "curl -o:                 $(mibs "$curl_s") MiB/s"
win=$(wine build/windows/bench/download_bench.exe "$url" "$(winpath "$work/worker.bin")")
echo "worker (Windows, Wine):  $win"
nat=$(build/native/bench/download_bench "$url" "$work/worker-native.bin" || true)
echo "worker (native, ASan):   $nat"
cmp -s "$work/files/big.bin" "$work/worker.bin" && echo "worker file identical to the source"
win_mibs=$(echo "$win" | awk '{print $NF}')
echo "ratio worker/curl (Windows build): $(ratio "$win_mibs" "$(mibs "$curl_s")")"
rm -f "$work/curl.bin" "$work/worker-native.bin"

echo "== MD5 of ${size_mib} MiB (file in the page cache)"
cat "$work/files/big.bin" > /dev/null
start=$(date +%s.%N); md5sum "$work/files/big.bin" > "$work/md5sum.txt"; end=$(date +%s.%N)
md5sum_s=$(awk -v a="$start" -v b="$end" 'BEGIN { print b - a }')
echo "md5sum:                  $(mibs "$md5sum_s") MiB/s  $(cut -c1-32 "$work/md5sum.txt")"
win=$(wine build/windows/bench/md5_bench.exe "$(winpath "$work/files/big.bin")")
echo "FileMd5 (Windows, Wine): $win"
[ "$(echo "$win" | cut -c1-32)" = "$(cut -c1-32 "$work/md5sum.txt")" ] && echo "digests agree"
echo "ratio FileMd5/md5sum (Windows build): $(ratio "$(echo "$win" | awk '{print $NF}')" "$(mibs "$md5sum_s")")"
