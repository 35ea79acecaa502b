#!/usr/bin/env bash
# A PostgreSQL server of its own in a folder, listening on 127.0.0.1 only, for the loopback
# deployment and the tests. PostgreSQL refuses to run as root, so under root it runs as the
# "postgres" user (or "nobody" where that does not exist), which is given the folder.
#   pg-local.sh start DIR PORT [DBNAME]   creates the cluster (and the database) on first use,
#                                         starts it, prints the database's URL
#   pg-local.sh stop DIR
set -euo pipefail
cmd=${1:?usage: pg-local.sh start DIR PORT | stop DIR}
dir=${2:?folder}

bindir=${PG_BINDIR:-}
if [ -z "$bindir" ]; then
  for d in $(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V -r); do bindir=$d; break; done
fi
[ -x "$bindir/pg_ctl" ] || { echo "pg-local: no PostgreSQL server found (apt-get install postgresql)" >&2; exit 3; }

as_owner() {
  if [ "$(id -u)" -ne 0 ]; then "$@"; return; fi
  local user=postgres
  id -u "$user" >/dev/null 2>&1 || user=nobody
  runuser -u "$user" -- "$@"
}

case "$cmd" in
  start)
    port=${3:?port}
    mkdir -p "$dir"
    if [ "$(id -u)" -eq 0 ]; then
      user=postgres; id -u "$user" >/dev/null 2>&1 || user=nobody
      chown "$user" "$dir"
      chmod 700 "$dir"
      # The server must reach its folder through every parent (mktemp makes them 0700).
      p=$(dirname "$dir"); while [ "$p" != / ]; do chmod o+x "$p" 2>/dev/null || true; p=$(dirname "$p"); done
    fi
    if [ ! -f "$dir/data/PG_VERSION" ]; then
      as_owner "$bindir/initdb" -D "$dir/data" -U postgres --auth=trust -E UTF8 --locale=C.UTF-8 --no-sync >"$dir/initdb.log" 2>&1 ||
        { cat "$dir/initdb.log" >&2; exit 1; }
    fi
    # PG_OPTIONS adds server settings (the unit tests turn fsync off: they survive no power cut).
    as_owner "$bindir/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w -t 30 \
      -o "-c listen_addresses=127.0.0.1 -c port=$port -c unix_socket_directories=$dir -c max_connections=200 ${PG_OPTIONS:-}" \
      start >/dev/null || { cat "$dir/server.log" >&2; exit 1; }
    db=${4:-postgres}
    if [ "$db" != postgres ] &&
       [ -z "$("$bindir/psql" -h 127.0.0.1 -p "$port" -U postgres -XAtc "SELECT 1 FROM pg_database WHERE datname = '$db'" postgres)" ]; then
      "$bindir/createdb" -h 127.0.0.1 -p "$port" -U postgres "$db"
    fi
    echo "postgresql://postgres@127.0.0.1:$port/$db"
    ;;
  stop)
    if [ -f "$dir/data/postmaster.pid" ]; then as_owner "$bindir/pg_ctl" -D "$dir/data" -m fast -w stop >/dev/null; fi
    ;;
  *) echo "usage: pg-local.sh start DIR PORT | stop DIR" >&2; exit 2 ;;
esac
