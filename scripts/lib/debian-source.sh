# Fetching a Debian source package for a cross build (sourced by build-curl.sh and
# build-sodium.sh, after scripts/lib/apt.sh and scripts/lib/cache.sh).

# debian_source_version PACKAGE: the version apt would install, or fails.
debian_source_version() {
  local version
  version=$(apt-cache policy "$1" | awk '/Candidate:/ {print $2}')
  [ -n "$version" ] && [ "$version" != "(none)" ] || { apt_say "no $1 version known to apt"; return 1; }
  echo "$version"
}

# debian_source_unpack SOURCE_PACKAGE DIR: unpacks Debian's source of the package into DIR/src.
# apt-get source needs a deb-src entry for the same suites as the binary packages; one is
# added when missing.
debian_source_unpack() {
  local package=$1 dir=$2
  local src_list=/etc/apt/sources.list.d/tessavane-src.sources
  if ! apt-get source --download-only --print-uris "$package" >/dev/null 2>&1; then
    sed -n '/^Types: deb$/,/^$/p' /etc/apt/sources.list.d/debian.sources 2>/dev/null \
      | sed 's/^Types: deb$/Types: deb-src/' > "$src_list"
    if [ ! -s "$src_list" ]; then
      printf 'Types: deb-src\nURIs: http://deb.debian.org/debian\nSuites: bookworm bookworm-updates\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' > "$src_list"
    fi
    apt_update || { apt_say "cannot read any package list"; return 1; }
  fi
  ( cd "$dir" && apt-get source --download-only -qq "$package" >&2 &&
    dpkg-source -x --no-check "${package}"_*.dsc src >/dev/null ) ||
    { apt_say "could not fetch Debian's $package source package"; return 1; }
}

# debian_cross_build NAME BINARY_PACKAGE SOURCE_PACKAGE ARCH [SUFFIX]: the install prefix of a
# build of the package's Debian version for ARCH Windows, in $prefix; when that build is complete
# already it is printed and the script ends. Otherwise the source is unpacked into $work/src.
debian_cross_build() {
  local name=$1 binary=$2 source=$3 arch=$4 suffix=${5:-}
  local version
  version=$(debian_source_version "$binary") || exit 1
  prefix="$cache_root/$name-$version-$arch-mingw$suffix"
  cache_reuse "$prefix"
  apt_say "building $name $version for $arch Windows into $prefix"
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  debian_source_unpack "$source" "$work" || exit 1
}
