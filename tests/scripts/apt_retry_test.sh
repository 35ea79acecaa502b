#!/usr/bin/env bash
# The package-install helper (scripts/lib/apt.sh) against a stand-in apt-get on PATH that
# behaves like a Debian mirror caught mid-sync: whole updates that fail, one index that keeps
# failing, and a multi-arch install that resolves only from the base suite.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
passed=0; failed=0
check() {  # description, then a command that must succeed
  local what=$1; shift
  if "$@"; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAILED: $what" >&2; fi
}
contains() { grep -qF -- "$2" "$1"; }
lacks() { ! grep -qF -- "$2" "$1"; }

mkdir -p "$work/bin"
cat > "$work/bin/apt-get" <<'STANDIN'
#!/usr/bin/env bash
# Behaviour from the environment: FAKE_TOTAL_FAILURES updates fail outright (no index
# fetched), later ones fail for one index if FAKE_ONE_INDEX_FAILS=1; installs resolve only
# with "-t bookworm" if FAKE_NEEDS_BASE=1, never if FAKE_INSTALL_BROKEN=1.
echo "$*" >> "$FAKE_STATE/calls"
case "$*" in
  *update*)
    n=$(( $(cat "$FAKE_STATE/updates" 2>/dev/null || echo 0) + 1 )); echo "$n" > "$FAKE_STATE/updates"
    if [ "$n" -le "${FAKE_TOTAL_FAILURES:-0}" ]; then
      echo "E: Failed to fetch http://deb.example/debian/dists/bookworm/InRelease  Temporary failure resolving 'deb.example'" >&2
      exit 100
    fi
    touch "$TESSAVANE_APT_LISTS/deb.example_debian_dists_bookworm_main_binary-amd64_Packages"
    if [ "${FAKE_ONE_INDEX_FAILS:-0}" = 1 ]; then
      echo "Err:6 http://deb.example/debian-security bookworm-security/main i386 Packages"
      echo "  File has unexpected size (374820 != 376004). Mirror sync in progress?"
      echo "E: Failed to fetch http://deb.example/debian-security/dists/bookworm-security/main/binary-i386/Packages.xz  File has unexpected size (374820 != 376004). Mirror sync in progress?" >&2
      echo "E: Some index files failed to download. They have been ignored, or old ones used instead." >&2
      exit 100
    fi
    exit 0 ;;
  *install*)
    if [ "${FAKE_INSTALL_BROKEN:-0}" = 1 ] || { [ "${FAKE_NEEDS_BASE:-0}" = 1 ] && [[ "$*" != *"-t bookworm "* ]]; }; then
      echo "The following packages have unmet dependencies:" >&2
      echo " libgstreamer-plugins-base1.0-0:i386 : Depends: ... but it is not going to be installed" >&2
      echo "E: Unable to correct problems, you have held broken packages." >&2
      exit 100
    fi
    exit 0 ;;
esac
exit 1
STANDIN
chmod +x "$work/bin/apt-get"

# Each case runs the helper in a fresh shell with its own state, sources and lists.
run_case() {  # name, the stand-in's settings as VAR=VALUE..., then -- and the shell code to run
  local name=$1; shift
  local dir="$work/$name"
  mkdir -p "$dir/state" "$dir/lists" "$dir/etc/sources.list.d"
  printf 'Types: deb\nURIs: http://deb.example/debian\nSuites: bookworm bookworm-updates\nComponents: main\n\nTypes: deb\nURIs: http://deb.example/debian-security\nSuites: bookworm-security\nComponents: main\n' \
    > "$dir/etc/sources.list.d/debian.sources"
  local settings=()
  while [ "$1" != -- ]; do settings+=("$1"); shift; done
  shift
  env "${settings[@]}" PATH="$work/bin:$PATH" FAKE_STATE="$dir/state" TESSAVANE_APT_LISTS="$dir/lists" \
    TESSAVANE_APT_SOURCES_ROOT="$dir/etc" TESSAVANE_APT_RETRY_PAUSE=0 \
    bash -c ". '$root/scripts/lib/apt.sh'; $1" > "$dir/out" 2>&1
  echo $? > "$dir/rc"
}
rc_of() { cat "$work/$1/rc"; }
updates_of() { cat "$work/$1/state/updates" 2>/dev/null || echo 0; }

# The mirror of the day: two updates that fail outright, then one index that never comes.
run_case midsync FAKE_TOTAL_FAILURES=2 FAKE_ONE_INDEX_FAILS=1 FAKE_NEEDS_BASE=1 -- \
  'apt_update && apt_install wine wine32:i386'
check "mid-sync: the helper succeeds" [ "$(rc_of midsync)" = 0 ]
check "mid-sync: update tried three times" [ "$(updates_of midsync)" = 3 ]
check "mid-sync: the index that failed is named" \
  contains "$work/midsync/out" "http://deb.example/debian-security/dists/bookworm-security/main/binary-i386/Packages.xz"
check "mid-sync: it says it goes on" contains "$work/midsync/out" "going on with the others"
check "mid-sync: the install is retried from the base suite" \
  contains "$work/midsync/state/calls" "install -y -qq --no-install-recommends -t bookworm wine wine32:i386"
check "mid-sync: it says why it retries" contains "$work/midsync/out" "from the base suite 'bookworm'"

# A short hiccup: the second update works, and nothing is reported as missing.
run_case hiccup FAKE_TOTAL_FAILURES=1 -- 'apt_update && apt_install cmake'
check "hiccup: succeeds" [ "$(rc_of hiccup)" = 0 ]
check "hiccup: stops updating once one works" [ "$(updates_of hiccup)" = 2 ]
check "hiccup: no index reported" lacks "$work/hiccup/out" "could not be fetched"
check "hiccup: a plain install is not retried" lacks "$work/hiccup/state/calls" "-t bookworm"

# No network at all: nothing was fetched, so the update itself is the failure.
run_case offline FAKE_TOTAL_FAILURES=99 -- 'apt_update'
check "offline: the update fails" [ "$(rc_of offline)" != 0 ]
check "offline: with apt's words" contains "$work/offline/out" "Temporary failure resolving"

# A real dependency problem still ends the install with apt's own explanation.
run_case broken FAKE_INSTALL_BROKEN=1 -- 'apt_update && apt_install wine'
check "broken: the install fails" [ "$(rc_of broken)" != 0 ]
check "broken: with apt's words" contains "$work/broken/out" "held broken packages"
check "broken: says what could not be installed" contains "$work/broken/out" "could not install wine"

# The base suite is read from both kinds of source files and skips update/security suites.
run_case suite822 -- 'apt_base_suite'
check "deb822 sources: bookworm" [ "$(tail -1 "$work/suite822/out")" = bookworm ]
mkdir -p "$work/oneline/etc/sources.list.d"
printf '# comment\ndeb [arch=amd64 signed-by=/k.gpg] http://deb.example/debian-security bullseye-security main\ndeb http://deb.example/debian bullseye main contrib\n' \
  > "$work/oneline/etc/sources.list"
suite=$(TESSAVANE_APT_SOURCES_ROOT="$work/oneline/etc" bash -c ". '$root/scripts/lib/apt.sh'; apt_base_suite")
check "one-line sources: bullseye" [ "$suite" = bullseye ]
mkdir -p "$work/nosuite/etc"
run_case nobase FAKE_NEEDS_BASE=1 -- "TESSAVANE_APT_SOURCES_ROOT='$work/nosuite/etc'; apt_sources_root=\$TESSAVANE_APT_SOURCES_ROOT; apt_install wine"
check "no base suite: the install fails" [ "$(rc_of nobase)" != 0 ]
check "no base suite: and says so" contains "$work/nobase/out" "name no base suite"

echo "$passed passed, $failed failed"
[ "$failed" = 0 ]
