#!/usr/bin/env bash
# Starts (and stops) the deployment on loopback: one PostgreSQL, N catalogue server instances on
# it, nginx in front serving the hosted files itself. Everything listens on 127.0.0.1 only and
# lives in DIR: the database, logs, pid files and ports.env with the addresses.
#   cluster.sh start DIR [--instances 2] [--port 0] [--bin tessa-catalogue] [--files DIR]
#   cluster.sh stop DIR
#   cluster.sh restart-instance DIR N     (starts instance N again on its port, e.g. after a kill)
# A new DIR gets the demo catalogue; import another with the admin command on $DB (ports.env).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
cmd=${1:?usage: cluster.sh start|stop|restart-instance DIR ...}
dir=${2:?folder}
shift 2

free_port() {  # a loopback port nothing listens on
  local p
  while :; do
    p=$((20000 + RANDOM % 40000))
    (exec 3<>"/dev/tcp/127.0.0.1/$p") 2>/dev/null || { echo "$p"; return; }
  done
}

wait_for() {  # url what-for
  for _ in $(seq 100); do curl -sf -o /dev/null "$1" && return 0; sleep 0.1; done
  echo "cluster: $2 did not answer at $1" >&2
  return 1
}

start_instance() {  # n port; false if the instance did not come up
  local n=$1 port=$2 pid
  "$BIN" serve --db "$DB" --files "$FILES" --host 127.0.0.1 --port "$port" --public-url "$PUBLIC" --client-address-from X-Forwarded-For \
    --threads 8 >>"$dir/instance-$n.log" 2>&1 &
  pid=$!
  echo $pid >"$dir/instance-$n.pid"
  for _ in $(seq 150); do
    curl -sf -o /dev/null "http://127.0.0.1:$port/api/dll/files/system" && return 0
    kill -0 $pid 2>/dev/null || break
    sleep 0.1
  done
  echo "cluster: instance $n did not answer on port $port: $(tail -3 "$dir/instance-$n.log")" >&2
  return 1
}

first_start_instance() {  # n; a port found free can be taken before the instance binds it
  local n=$1 port
  for _ in 1 2 3; do
    port=$(free_port)
    if start_instance "$n" "$port"; then
      echo "INSTANCE_${n}_PORT=$port" >>"$dir/ports.env"
      return 0
    fi
    grep -q "cannot bind" "$dir/instance-$n.log" || return 1
  done
  return 1
}

case "$cmd" in
  start)
    instances=2 port=0 BIN=tessa-catalogue FILES=""
    while [ $# -gt 0 ]; do
      case "$1" in
        --instances) instances=$2 ;;
        --port) port=$2 ;;
        --bin) BIN=$2 ;;
        --files) FILES=$2 ;;
        *) echo "cluster: unknown option $1" >&2; exit 2 ;;
      esac
      shift 2
    done
    [ -n "$FILES" ] || { echo "cluster: --files DIR is required" >&2; exit 2; }
    FILES=$(cd "$FILES" && pwd)
    mkdir -p "$dir/tmp"
    dir=$(cd "$dir" && pwd)
    new_store=0
    [ -f "$dir/pg/data/PG_VERSION" ] || new_store=1
    pg_port=$(free_port)
    DB=$("$here/pg-local.sh" start "$dir/pg" "$pg_port" catalogue)
    [ "$port" != 0 ] || port=$(free_port)
    PUBLIC="http://127.0.0.1:$port"
    {
      echo "DB=$DB"
      echo "PUBLIC=$PUBLIC"
      echo "BIN=$BIN"
      echo "FILES=$FILES"
      echo "INSTANCES=$instances"
    } >"$dir/ports.env"
    [ $new_store -eq 0 ] || "$BIN" init-demo --db "$DB" --files "$FILES" >/dev/null
    upstreams=""
    for n in $(seq "$instances"); do
      first_start_instance "$n"
      # shellcheck disable=SC1091
      . "$dir/ports.env"
      port_var="INSTANCE_${n}_PORT"
      upstreams+="    server 127.0.0.1:${!port_var} max_fails=1 fail_timeout=3s;"$'\n'
    done
    user_line=""
    [ "$(id -u)" -ne 0 ] || user_line="user root;  # loopback runs only: workers must read the test folders"
    awk -v dir="$dir" -v listen="127.0.0.1:$port" -v files="$FILES" -v ups="$upstreams" -v user="$user_line" \
      '{gsub(/@DIR@/, dir); gsub(/@LISTEN@/, listen); gsub(/@FILES@/, files); gsub(/@USER@/, user);
        if ($0 ~ /@UPSTREAMS@/) { printf "%s", ups; next } print}' "$here/nginx.conf.in" >"$dir/nginx.conf"
    nginx -c "$dir/nginx.conf" -p "$dir" >"$dir/nginx.out" 2>&1 &
    wait_for "$PUBLIC/api/dll/files/system" nginx
    echo "cluster: nginx on $PUBLIC, $instances instances, store $DB"
    ;;
  stop)
    [ -f "$dir/nginx.pid" ] && kill "$(cat "$dir/nginx.pid")" 2>/dev/null || true
    for f in "$dir"/instance-*.pid; do
      [ -f "$f" ] || continue
      kill "$(cat "$f")" 2>/dev/null || true
      rm -f "$f"
    done
    "$here/pg-local.sh" stop "$dir/pg"
    ;;
  restart-instance)
    # shellcheck disable=SC1091
    . "$dir/ports.env"
    port_var="INSTANCE_${1:?instance number}_PORT"
    start_instance "$1" "${!port_var}"
    ;;
  *) echo "usage: cluster.sh start|stop|restart-instance DIR ..." >&2; exit 2 ;;
esac
