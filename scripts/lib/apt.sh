# Package installs that survive a Debian mirror caught mid-sync. Sourced by the scripts that
# install packages; every function says on stderr what it does, as "$apt_who: ...".
#
# A mirror being synced serves a Release file that names index sizes it does not have yet, so
# `apt-get update` fails for one index (seen: the i386 security index) while the others are
# fine. A later try often succeeds; if not, apt keeps the indexes it did fetch and we go on
# with those. Without that one index, a multi-arch install can meet an amd64 package newer
# (security suite) than its i386 twin (base suite) and fail to resolve; the same install from
# the base suite alone resolves, because there both architectures have one version.

apt_who=${apt_who:-apt}
# The pause between tries of an update, in seconds, and how many tries.
apt_retry_pause=${TESSAVANE_APT_RETRY_PAUSE:-10}
apt_update_tries=${TESSAVANE_APT_UPDATE_TRIES:-3}
# Where the machine's package sources are (a test points this at a folder of its own).
apt_sources_root=${TESSAVANE_APT_SOURCES_ROOT:-/etc/apt}

apt_say() { echo "$apt_who: $*" >&2; }

# apt_update: runs `apt-get update` until it succeeds or the tries are spent. An index that
# still fails is reported and the caller goes on with the rest; only an update that fetched
# nothing at all (no package list on the machine) is an error.
apt_update() {
  local try output rc
  for try in $(seq 1 "$apt_update_tries"); do
    apt_say "updating the package lists (try $try of $apt_update_tries)"
    rc=0
    output=$(apt-get update -qq 2>&1) || rc=$?
    if [ "$rc" -eq 0 ]; then
      return 0
    fi
    if [ "$try" -lt "$apt_update_tries" ]; then
      apt_say "apt-get update failed ($rc); trying again in ${apt_retry_pause}s"
      sleep "$apt_retry_pause"
    fi
  done
  local failed
  failed=$(printf '%s\n' "$output" | sed -n 's/^E: Failed to fetch[[:space:]]*//p' | cut -c1-240 | sort -u)
  if ! apt_have_lists; then
    apt_say "apt-get update fetched no package list at all:"
    printf '%s\n' "$output" | sed "s/^/$apt_who:   /" >&2
    return 1
  fi
  apt_say "these indexes could not be fetched after $apt_update_tries tries; going on with the others:"
  printf '%s\n' "${failed:-(apt named none)}" | sed "s/^/$apt_who:   /" >&2
  return 0
}

# True when the machine has at least one package index.
apt_have_lists() {
  local lists=${TESSAVANE_APT_LISTS:-/var/lib/apt/lists}
  compgen -G "$lists/*_Packages" >/dev/null || compgen -G "$lists/*_Packages.*" >/dev/null
}

# apt_base_suite: the first suite the machine's sources name that is a release, not an
# update or security suite ("bookworm", not "bookworm-security").
apt_base_suite() {
  local suites=""
  if compgen -G "$apt_sources_root/sources.list.d/*.sources" >/dev/null; then
    suites+=$(sed -n 's/^Suites:[[:space:]]*//p' "$apt_sources_root"/sources.list.d/*.sources | tr -s ' \t' '\n')
    suites+=$'\n'
  fi
  local list
  for list in "$apt_sources_root/sources.list" "$apt_sources_root"/sources.list.d/*.list; do
    [ -f "$list" ] || continue
    # deb [options] URI suite components...
    suites+=$(sed -n 's/^deb[[:space:]]\+\(\[[^]]*\][[:space:]]\+\)\{0,1\}[^[:space:]]\+[[:space:]]\+\([^[:space:]]\+\).*/\2/p' "$list")
    suites+=$'\n'
  done
  printf '%s\n' "$suites" | grep -v -e '^$' -e '-' | head -1
}

# apt_install PACKAGE...: installs the packages; when apt cannot resolve them, tries once
# more from the base suite. A failure of both is reported with apt's own words.
apt_install() {
  export DEBIAN_FRONTEND=noninteractive
  local output rc=0
  apt_say "installing $*"
  output=$(apt-get install -y -qq --no-install-recommends "$@" 2>&1) || rc=$?
  [ "$rc" -eq 0 ] && return 0
  local suite
  suite=$(apt_base_suite)
  if [ -z "$suite" ]; then
    apt_say "apt-get install failed ($rc) and the package sources name no base suite:"
    printf '%s\n' "$output" | tail -20 | sed "s/^/$apt_who:   /" >&2
    return 1
  fi
  apt_say "apt-get install failed ($rc); trying again from the base suite '$suite' alone"
  rc=0
  output=$(apt-get install -y -qq --no-install-recommends -t "$suite" "$@" 2>&1) || rc=$?
  [ "$rc" -eq 0 ] && return 0
  apt_say "could not install $* (apt-get said, with -t $suite):"
  printf '%s\n' "$output" | tail -20 | sed "s/^/$apt_who:   /" >&2
  return 1
}
