#!/usr/bin/env bash
# Builds a static libcurl for i686 Windows (Schannel TLS) from Debian's own curl source package,
# once per curl version, into a cache folder outside any build tree. Prints the install prefix.
# With --tool it builds curl.exe as well, into a prefix of its own, for benchmarks that compare
# the program's download worker with curl under the same Wine.
set -euo pipefail
tool=OFF; suffix=""
if [ "${1:-}" = "--tool" ]; then tool=ON; suffix="-tool"; fi

cache_root=${TESSAVANE_CACHE:-/var/cache/tessavane}
version=$(apt-cache policy curl | awk '/Candidate:/ {print $2}')
[ -n "$version" ] && [ "$version" != "(none)" ] || { echo "build-curl: no curl version known to apt" >&2; exit 1; }
prefix="$cache_root/curl-$version-i686-mingw$suffix"
if [ -f "$prefix/.complete" ]; then echo "$prefix"; exit 0; fi

# apt-get source needs a deb-src entry for the same suites as the binary packages.
src_list=/etc/apt/sources.list.d/tessavane-src.sources
if ! apt-get source --download-only --print-uris curl >/dev/null 2>&1; then
  sed -n '/^Types: deb$/,/^$/p' /etc/apt/sources.list.d/debian.sources 2>/dev/null \
    | sed 's/^Types: deb$/Types: deb-src/' > "$src_list"
  if [ ! -s "$src_list" ]; then
    printf 'Types: deb-src\nURIs: http://deb.debian.org/debian\nSuites: bookworm bookworm-updates\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' > "$src_list"
  fi
  apt-get update -qq >&2
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
( cd "$work" && apt-get source --download-only -qq curl >&2 && dpkg-source -x --no-check curl_*.dsc src >/dev/null )

here=$(cd "$(dirname "$0")/.." && pwd)
cmake -S "$work/src" -B "$work/build" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-i686.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
  -DBUILD_SHARED_LIBS=OFF -DCURL_USE_SCHANNEL=ON -DBUILD_CURL_EXE=$tool -DCURL_ZLIB=OFF \
  -DUSE_LIBIDN2=OFF -DCURL_USE_LIBSSH2=OFF -DENABLE_MANUAL=OFF -DCURL_DISABLE_LDAP=ON \
  -DCURL_DISABLE_LDAPS=ON -DBUILD_TESTING=OFF -DCURL_USE_LIBPSL=OFF -DUSE_NGHTTP2=OFF \
  -DENABLE_UNICODE=OFF >&2
cmake --build "$work/build" >&2
cmake --install "$work/build" >&2
touch "$prefix/.complete"
echo "$prefix"
