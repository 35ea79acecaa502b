#!/usr/bin/env bash
# Benchmarks the catalogue server against nginx on loopback, in one run:
#  1. requests per second and p99 latency of /api/dll/files/runtime, 2 connections, against
#     nginx serving the same reply body as a static file;
#  2. throughput of a Range download of a 512 MiB file, against nginx serving the same file.
# The server is built without sanitizers for this (build/bench-server).
# The machine is shared, so the two servers are measured in alternation, three rounds each,
# and the medians compared.
# Usage: bench/server/run.sh [--seconds N]     (default 5 per wrk run)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
here="$root/bench/server"
seconds=5
[ "${1:-}" = "--seconds" ] && seconds=${2:?}

build="$root/build/bench-server"
if [ ! -f "$build/build.ninja" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
fi
cmake --build "$build" --target tessa-catalogue demo_files -j2 >/dev/null
bin="$build/server/tessa-catalogue"

work=$(mktemp -d /tmp/catalogue-bench-XXXXXX)
chmod 755 "$work"
server_pid="" nginx_pid=""
cleanup() {
  for p in $server_pid $nginx_pid; do kill -TERM "$p" 2>/dev/null || true; wait "$p" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

free_port() {  # a loopback port nothing listens on
  local p
  while :; do
    p=$((20000 + RANDOM % 40000))
    (exec 3<>"/dev/tcp/127.0.0.1/$p") 2>/dev/null || { echo "$p"; return; }  # nobody answered
  done
}

mkdir -p "$work/files" "$work/www/api/dll/files" "$work/tmp"
cp -r "$build/server/demo-files/." "$work/files/"
"$bin" init-demo --db "$work/db" --files "$work/files" >/dev/null
head -c $((512 * 1024 * 1024)) /dev/urandom > "$work/files/big.bin"
ln "$work/files/big.bin" "$work/www/big.bin"  # one inode: both servers read the same cached pages

port=$(free_port)
"$bin" serve --db "$work/db" --files "$work/files" --host 127.0.0.1 --port "$port" --threads 4 >"$work/server.log" 2>&1 &
server_pid=$!
ours="http://127.0.0.1:$port"
for _ in $(seq 50); do curl -sf "$ours/api/dll/files/runtime" >/dev/null && break; sleep 0.1; done
curl -sf "$ours/api/dll/files/runtime" > "$work/www/api/dll/files/runtime"

nport=$(free_port)
sed -e "s|@WORK@|$work|g" -e "s|@PORT@|$nport|g" "$here/nginx.conf.in" > "$work/nginx.conf"
nginx -c "$work/nginx.conf" -p "$work" &
nginx_pid=$!
theirs="http://127.0.0.1:$nport"
for _ in $(seq 50); do curl -sf "$theirs/api/dll/files/runtime" >/dev/null && break; sleep 0.1; done
cmp -s <(curl -sf "$ours/api/dll/files/runtime") <(curl -sf "$theirs/api/dll/files/runtime") ||
  { echo "bench: the two servers do not send the same body" >&2; exit 1; }

wrk_run() {  # url -> "rps p99_ms"
  local out
  out=$(timeout $((seconds + 20)) wrk -t2 -c2 -d"${seconds}s" --latency "$1/api/dll/files/runtime")
  if echo "$out" | grep -qE "Non-2xx|Socket errors"; then echo "bench: errors: $out" >&2; exit 1; fi
  local rps p99
  rps=$(echo "$out" | awk '/Requests\/sec/ {print $2}')
  p99=$(echo "$out" | awk '$1 == "99%" {v=$2; if (v ~ /us$/) {sub(/us/,"",v); v=v/1000} else if (v ~ /ms$/) {sub(/ms/,"",v)} else if (v ~ /s$/) {sub(/s/,"",v); v=v*1000}; print v}')
  echo "$rps $p99"
}

range_once() {  # file url -> MiB/s of one 512 MiB range download
  curl -sSf -o /dev/null -r 0-$((512 * 1024 * 1024 - 1)) -w "%{speed_download}" "$1" |
    awk '{printf "%.0f", $1 / 1048576}'
}

bytes=$(stat -c %s "$work/www/api/dll/files/runtime")
echo "runtime reply: $bytes bytes; wrk -t2 -c2 -d${seconds}s; machine: $(nproc) cores"
echo "load before: $(uptime)"
median() { sort -g | sed -n 2p; }  # of three
for round in 1 2 3; do
  wrk_run "$ours" >> "$work/ours.txt"
  wrk_run "$theirs" >> "$work/theirs.txt"
done
our_rps=$(cut -d' ' -f1 "$work/ours.txt" | median); our_p99=$(cut -d' ' -f2 "$work/ours.txt" | median)
ng_rps=$(cut -d' ' -f1 "$work/theirs.txt" | median); ng_p99=$(cut -d' ' -f2 "$work/theirs.txt" | median)
echo "rounds (requests/s p99-ms): server $(tr '\n' ';' < "$work/ours.txt") nginx $(tr '\n' ';' < "$work/theirs.txt")"
printf "%-22s %12s %12s\n" "" "requests/s" "p99 (ms)"
printf "%-22s %12.0f %12.2f\n" "catalogue server" "$our_rps" "$our_p99"
printf "%-22s %12.0f %12.2f\n" "nginx (static file)" "$ng_rps" "$ng_p99"
awk -v a="$our_rps" -v b="$ng_rps" -v c="$our_p99" -v d="$ng_p99" \
  'BEGIN {printf "ratio server/nginx:    %.2f x requests/s, %.2f x p99\n", a / b, c / d}'

our_range=$(curl -sf -o /dev/null -D - -r 0-0 "$ours/files/big.bin" | head -1 | tr -d '\r')
echo "range check: $our_range"
# Alternated like the request rounds, so that a change in the machine's load hits both; the
# best of three each.
our_mib=0 ng_mib=0
for _ in 1 2 3; do
  m=$(range_once "$ours/files/big.bin"); [ "$m" -gt "$our_mib" ] && our_mib=$m
  m=$(range_once "$theirs/big.bin"); [ "$m" -gt "$ng_mib" ] && ng_mib=$m
done
printf "512 MiB range download: catalogue server %s MiB/s, nginx %s MiB/s, ratio %s\n" "$our_mib" "$ng_mib" \
  "$(awk -v a="$our_mib" -v b="$ng_mib" 'BEGIN {printf "%.2f", a / b}')"
# Other work on the machine moves every figure; the load says how much to trust this run.
echo "load after: $(uptime)"
