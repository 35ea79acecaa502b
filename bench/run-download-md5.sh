#!/usr/bin/env bash
# Throughput of the download worker and of FileMd5 on a 512 MiB file, each beside the
# reference tool in the same run (curl -o from the same loopback server; md5sum), as ratios of
# the medians of three alternating rounds. The Windows builds run under Wine, as the program
# does; the worker is also built natively without sanitizers, to show its own cost apart from
# Wine's socket emulation, and curl.exe, built from the same libcurl source for Windows, runs
# under the same Wine, to show what any Windows download costs there. Measures the i686 build
# where the host runs 32-bit programs, else the x86_64 one (BENCH_SUITE=32|64 picks one:
# bench/lib/windows-build.sh). Prints the figures and which build and loader it measured.
set -euo pipefail
cd "$(dirname "$0")/.."
size_mib=${SIZE_MIB:-512}
rounds=${ROUNDS:-3}
# In memory (tmpfs): the figures are about the download machinery, not about when the
# kernel happens to write dirty pages back to this machine's disk.
work=$(mktemp -d /dev/shm/tessa-bench.XXXXXX)
server=""
trap '[ -n "$server" ] && kill $server 2>/dev/null; wineserver -k 2>/dev/null; rm -rf "$work"' EXIT
. bench/lib/windows-build.sh
bench_pick_build
bench_build_targets host_fixture_server download_bench md5_bench
mkdir -p "$work/files"
head -c $((size_mib * 1048576)) /dev/urandom > "$work/files/big.bin"

"$bench_build"/host/fixture_server --port-file "$work/port" --root "$work/files" & server=$!
for _ in $(seq 100); do [ -s "$work/port" ] && break; sleep 0.05; done
url="http://127.0.0.1:$(cat "$work/port")/files/big.bin"

curl_exe=$(./scripts/build-curl.sh --arch "$bench_arch" --tool)/bin/curl.exe
bench_prefix "$work/prefix"
g++ -std=c++17 -O2 -I. -o "$work/download_bench" bench/net/download_bench.cpp net/download.cpp \
  net/curl_global.cpp net/file_sink.cpp net/web_protocols.cpp net/trusted_peer.cpp \
  net/tls_peer_check_posix.cpp catalogue_rules/catalogue_rules.cpp platform/path_text.cpp -lcurl -pthread

winpath() { echo "Z:${1//\//\\}"; }
mibs() { awk -v b=$((size_mib * 1048576)) -v s="$1" 'BEGIN { printf "%.1f", b / s / 1048576 }'; }
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
last() { awk '{ print $NF }'; }

: > "$work/curl"; : > "$work/curlwin"; : > "$work/win"; : > "$work/native"; : > "$work/md5sum"; : > "$work/md5win"
for round in $(seq "$rounds"); do
  mibs "$(curl -s -o "$work/curl.bin" -w '%{time_total}' "$url")" >> "$work/curl"; echo >> "$work/curl"
  mibs "$("$wine" "$curl_exe" -s -o "$(winpath "$work/curlwin.bin")" -w '%{time_total}' "$url")" >> "$work/curlwin"
  echo >> "$work/curlwin"
  "$wine" "$bench_build"/bench/download_bench.exe "$url" "$(winpath "$work/worker.bin")" | last >> "$work/win"
  cmp -s "$work/files/big.bin" "$work/worker.bin" || echo "round $round: the worker's file differs from the source!"
  "$work/download_bench" "$url" "$work/native.bin" | last >> "$work/native"
  rm -f "$work/curl.bin" "$work/curlwin.bin" "$work/worker.bin" "$work/native.bin"

  start=$(date +%s.%N); md5sum "$work/files/big.bin" > "$work/md5sum.txt"; end=$(date +%s.%N)
  mibs "$(awk -v a="$start" -v b="$end" 'BEGIN { print b - a }')" >> "$work/md5sum"; echo >> "$work/md5sum"
  result=$("$wine" "$bench_build"/bench/md5_bench.exe "$(winpath "$work/files/big.bin")")
  [ "${result:0:32}" = "$(cut -c1-32 "$work/md5sum.txt")" ] || echo "round $round: digests differ!"
  echo "$result" | last >> "$work/md5win"
done

c=$(median < "$work/curl"); cw=$(median < "$work/curlwin"); w=$(median < "$work/win"); n=$(median < "$work/native")
s=$(median < "$work/md5sum"); m=$(median < "$work/md5win")
echo "== download of ${size_mib} MiB over loopback, MiB/s (median of $rounds)"
echo "curl -o                    $c"
echo "worker, Windows under Wine $w   ratio $(ratio "$w" "$c")"
echo "curl.exe, under Wine       $cw   ratio $(ratio "$cw" "$c")"
echo "worker against curl.exe, both under Wine: ratio $(ratio "$w" "$cw")"
echo "worker, native -O2         $n   ratio $(ratio "$n" "$c")"
echo "== MD5 of ${size_mib} MiB from the page cache, MiB/s (median of $rounds)"
echo "md5sum                     $s"
echo "FileMd5, Windows under Wine $m  ratio $(ratio "$m" "$s")"
echo "$(bench_measured)"
