#!/usr/bin/env bash
# Builds a static libcurl for Windows (Schannel TLS) from Debian's own curl source package,
# once per curl version and architecture, into a cache folder outside any build tree. Prints
# the install prefix.
#   build-curl.sh [--arch i686|x86_64] [--tool]
# --arch picks the MinGW toolchain (default i686, the shipped program's). --tool builds
# curl.exe as well, into a prefix of its own, for benchmarks that compare the program's
# download worker with curl under the same Wine.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
apt_who=build-curl
. "$here/scripts/lib/apt.sh"

tool=OFF; suffix=""; arch=i686
while [ $# -gt 0 ]; do
  case "$1" in
    --tool) tool=ON; suffix="-tool"; shift ;;
    --arch) arch=${2:?--arch needs i686 or x86_64}; shift 2 ;;
    *) echo "usage: build-curl.sh [--arch i686|x86_64] [--tool]" >&2; exit 2 ;;
  esac
done
case "$arch" in i686|x86_64) ;; *) echo "build-curl: unknown architecture '$arch'" >&2; exit 2 ;; esac

. "$here/scripts/lib/cache.sh"
. "$here/scripts/lib/debian-source.sh"
debian_cross_build curl curl curl "$arch" "$suffix"

cmake -S "$work/src" -B "$work/build" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-$arch.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
  -DBUILD_SHARED_LIBS=OFF -DCURL_USE_SCHANNEL=ON -DBUILD_CURL_EXE=$tool -DCURL_ZLIB=OFF \
  -DUSE_LIBIDN2=OFF -DCURL_USE_LIBSSH2=OFF -DENABLE_MANUAL=OFF -DCURL_DISABLE_LDAP=ON \
  -DCURL_DISABLE_LDAPS=ON -DBUILD_TESTING=OFF -DCURL_USE_LIBPSL=OFF -DUSE_NGHTTP2=OFF \
  -DENABLE_UNICODE=OFF >&2
cmake --build "$work/build" >&2
cmake --install "$work/build" >&2
touch "$prefix/.complete"
echo "$prefix"
