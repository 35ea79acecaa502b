#!/usr/bin/env bash
# The deployment on loopback (deploy/cluster.sh): two instances on one PostgreSQL behind nginx.
#  1. a sign-in code made through one instance signs in once through the other, and only once;
#  2. an import through the admin command changes the replies of both within the stated bound;
#  3. a bounded wrk load through nginx, with one instance killed (kill -9) and restarted midway:
#     every reply is 200 with exactly the body it must have, and no user or token is lost.
# Usage: cluster_test.sh TESSA_CATALOGUE_BINARY DEMO_FILES_DIR
set -euo pipefail
bin=$1 files=$2
here=$(cd "$(dirname "$0")" && pwd)
deploy="$here/../deploy/cluster.sh"
bound_ms=2000  # poll interval (1 s, the default) plus the rebuild, with room for a loaded machine
work=$(mktemp -d /tmp/catalogue-cluster-XXXXXX)
cleanup() {
  "$deploy" stop "$work/c" >/dev/null 2>&1 || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "cluster_test: $*" >&2
  for log in "$work"/c/*.log; do [ -f "$log" ] && { echo "--- $log"; tail -5 "$log"; } >&2; done
  exit 1
}
if ! ls /usr/lib/postgresql/*/bin/pg_ctl >/dev/null 2>&1 && [ -z "${PG_BINDIR:-}" ]; then
  echo "cluster_test: skipped: no PostgreSQL server installed (scripts/install-deps.sh installs it)"
  exit 77
fi
get() { curl -sS --max-time 5 "$@"; }
field() { sed -n "s/.*\"$1\":\"\{0,1\}\([^\",}]*\).*/\1/p"; }
now_ms() { date +%s%3N; }

"$deploy" start "$work/c" --instances 2 --bin "$bin" --files "$files" || fail "the deployment did not start"
# shellcheck disable=SC1091
. "$work/c/ports.env"
one="http://127.0.0.1:$INSTANCE_1_PORT" two="http://127.0.0.1:$INSTANCE_2_PORT"

sign_in() {  # where-the-code-is-made where-it-is-used mac -> "token userId"
  local code grant signed
  code=$(get "$1/api/dll/user/wechat/login?commodityType=1&isCef=true&channelNum=c&mac=$3" | field loginCode)
  grant=$(get "$2/signin/demo/approve?loginCode=$code" | sed -n "s/.*wxCallback('\([0-9a-f]*\)','1'.*/\1/p")
  signed=$(get "$2/api/dll/user/getOpenId?channelNum=c&mac=$3&code=$grant&commodityType=1&loginCode=$code")
  echo "$signed" | grep -q '"code":"200"' || fail "sign-in through $2 with a code from $1 failed: $signed"
  echo "$(echo "$signed" | field userToken) $(echo "$signed" | field userId)"
  # The same code again, through the instance that made it: refused.
  get "$1/api/dll/user/getOpenId?channelNum=c&mac=$3&code=$grant&commodityType=1&loginCode=$code" |
    grep -q '"code":"410"' || fail "a used code was accepted again through $1"
}

# 1. Sign-in across instances; the users made here must outlive everything below.
mkdir -p "$work/check"
: >"$work/check/tokens.txt"
for i in 1 2 3 4; do
  if [ $((i % 2)) -eq 1 ]; then sign_in "$one" "$two" "AA-BB-CC-DD-EE-0$i"; else sign_in "$two" "$one" "AA-BB-CC-DD-EE-0$i"; fi \
    >>"$work/check/tokens.txt"
done
[ "$(wc -l <"$work/check/tokens.txt")" -eq 4 ] || fail "expected four signed-in users"
echo "cluster_test: sign-in codes work once across the instances"

# 2. An import changes both instances' replies within the bound.
before=$(get "$one/api/dll/files/runtime")
[ "$before" = "$(get "$two/api/dll/files/runtime")" ] || fail "the instances answer differently"
"$bin" import --db "$DB" --files "$files" "$here/data/small-catalogue.json" >/dev/null
start=$(now_ms)
while :; do
  a=$(get "$one/api/dll/files/runtime") b=$(get "$two/api/dll/files/runtime")
  [ "$a" != "$before" ] && [ "$b" != "$before" ] && break
  [ $(($(now_ms) - start)) -le $bound_ms ] || fail "the import did not reach both instances within ${bound_ms} ms"
  sleep 0.05
done
took=$(($(now_ms) - start))
[ "$a" = "$b" ] || fail "the instances differ after the import"
echo "$a" | grep -q '"fileName":"vcredist_x86.exe"' || fail "the imported catalogue is not served: $a"
echo "cluster_test: the import reached both instances in ${took} ms (bound ${bound_ms} ms)"

# 3. Load through nginx, one instance killed and restarted midway. The expected bodies are
# the instances' own, fetched directly (nginx's cache may still hold the catalogue before import).
for path in "/api/dll/files/common?channelNum=cluster" /api/dll/files/runtime /api/dll/files/dx /api/dll/files/system; do
  get "$one$path" >"$work/check/$(echo "$path" | tr '/?=' '___')"
done
# nginx's cache follows within its max-age (1 s) after that; while it fetches the new lists it
# may hand out the old ones, so the load starts once it serves the new ones.
start=$(now_ms)
for path in "/api/dll/files/common?channelNum=cluster" /api/dll/files/runtime /api/dll/files/dx /api/dll/files/system; do
  until [ "$(get "$PUBLIC$path")" = "$(cat "$work/check/$(echo "$path" | tr '/?=' '___')")" ]; do
    [ $(($(now_ms) - start)) -le $((bound_ms + 1000)) ] || fail "nginx still serves the old $path"
    sleep 0.05
  done
done
echo "cluster_test: nginx serves the imported catalogue $(($(now_ms) - start)) ms after the instances"
report_file="$work/wrk.txt"
CHECK_DIR="$work/check" timeout 40 wrk -t2 -c2 -d8s --timeout 3s -s "$here/cluster_check.lua" "$PUBLIC" >"$report_file" 2>&1 &
wrk_pid=$!
sleep 3
kill -9 "$(cat "$work/c/instance-1.pid")"
sleep 1
"$deploy" restart-instance "$work/c" 1 >/dev/null || fail "instance 1 did not start again"
wait $wrk_pid || fail "wrk failed: $(cat "$report_file")"
cat "$report_file"
grep -q "Socket errors" "$report_file" && fail "socket errors under load"
grep -qE "check: [1-9][0-9]* requests, 0 wrong bodies, 0 not 200" "$report_file" || fail "wrong replies under load"

# Every user and token is still there, on both instances (the restarted one included).
while read -r token id; do
  for base in "$one" "$two"; do
    info=$(get -H "token:$token" "$base/api/dll/user/getUserInfoByToken")
    echo "$info" | grep -q "\"userId\":$id," || fail "user $id lost on $base: $info"
  done
done <"$work/check/tokens.txt"
sign_in "$one" "$one" "AA-BB-CC-DD-EE-99" >/dev/null
echo "cluster_test: passed"
