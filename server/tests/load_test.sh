#!/usr/bin/env bash
# Load test against loopback with wrk, bounded in time, then a hard kill and restart of the
# server: every request must succeed, and nothing stored may be lost.
# Usage: load_test.sh TESSA_CATALOGUE_BINARY DEMO_FILES_DIR
set -euo pipefail
bin=$1 files=$2
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
pid=""
cleanup() {
  if [ -n "$pid" ]; then kill -TERM "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "load_test: $*" >&2; exit 1; }

start_server() {  # port (0 picks a free one); sets pid and base
  "$bin" serve --db "$work/db" --files "$files" --host 127.0.0.1 --port "$1" --threads 4 > "$work/out" 2>&1 &
  pid=$!
  for _ in $(seq 100); do
    base=$(sed -n 's/^listening on //p' "$work/out")
    [ -n "$base" ] && return 0
    sleep 0.1
  done
  fail "server did not start: $(cat "$work/out")"
}
get() { curl -sS --max-time 5 "$@"; }
field() { sed -n "s/.*\"$1\":\"\{0,1\}\([^\",}]*\).*/\1/p"; }

"$bin" init-demo --db "$work/db" --files "$files" > /dev/null
start_server 0
port=${base##*:}

# A signed-in user whose token must outlive the restart.
login=$(get "$base/api/dll/user/wechat/login?commodityType=1&isCef=true&channelNum=load&mac=AA-BB-CC-DD-EE-FF")
code=$(echo "$login" | field loginCode)
grant=$(get "$base/signin/demo/approve?loginCode=$code" | sed -n "s/.*wxCallback('\([0-9a-f]*\)','1'.*/\1/p")
signed=$(get "$base/api/dll/user/getOpenId?channelNum=load&mac=AA-BB-CC-DD-EE-FF&code=$grant&commodityType=1&loginCode=$code")
token=$(echo "$signed" | field userToken)
[ ${#token} -eq 64 ] || fail "sign-in failed: $signed"

report=$(LOAD_TOKEN=$token timeout 30 wrk -t2 -c2 -d5s --timeout 2s -s "$here/load_mix.lua" "$base")
echo "$report"
echo "$report" | grep -q "Non-2xx" && fail "non-2xx replies under load"
echo "$report" | grep -q "Socket errors" && fail "socket errors under load"
echo "$report" | grep -q "load: [1-9][0-9]* requests, 0 bad envelopes" || fail "bad envelopes under load"

# Changes right before a hard kill must survive it.
"$bin" status --db "$work/db" --list runtime --id 1 --value 0 > /dev/null
before=$("$bin" export --db "$work/db")
kill -9 "$pid"; wait "$pid" 2>/dev/null || true; pid=""
start_server "$port"
after=$("$bin" export --db "$work/db")
[ "$before" = "$after" ] || fail "catalogue changed across the restart"
# Keys come sorted: id, regeditName, silentParam, status.
get "$base/api/dll/files/runtime" | grep -q '"id":1,"regeditName":"[^"]*","silentParam":"[^"]*","status":0' ||
  fail "status change lost"
info=$(get -H "token:$token" "$base/api/dll/user/getUserInfoByToken")
echo "$info" | grep -q '"code":"200"' || fail "token lost across the restart: $info"
echo "load_test: passed"
