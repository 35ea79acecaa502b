#!/usr/bin/env bash
# Builds a static libsodium for Windows from Debian's own libsodium source package, once per
# version and architecture, into a cache folder outside any build tree. Prints the install
# prefix. The program checks the catalogue's Ed25519 signature and the installers' SHA-256
# with it.
#   build-sodium.sh [--arch i686|x86_64]     (default i686, the shipped program's)
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
apt_who=build-sodium
. "$here/scripts/lib/apt.sh"
. "$here/scripts/lib/cache.sh"
. "$here/scripts/lib/debian-source.sh"

arch=i686
while [ $# -gt 0 ]; do
  case "$1" in
    --arch) arch=${2:?--arch needs i686 or x86_64}; shift 2 ;;
    *) echo "usage: build-sodium.sh [--arch i686|x86_64]" >&2; exit 2 ;;
  esac
done
case "$arch" in i686|x86_64) ;; *) echo "build-sodium: unknown architecture '$arch'" >&2; exit 2 ;; esac

debian_cross_build sodium libsodium23 libsodium "$arch"

# The stack protector would pull in libssp, which the program does not ship.
# Debian's source carries no generated configure script.
( cd "$work/src" && autoreconf -fi >&2 &&
  ./configure --host="$arch-w64-mingw32" --prefix="$prefix" --disable-shared --enable-static \
    --disable-ssp --disable-dependency-tracking --with-pic=no >&2 &&
  make -j"$(nproc)" >&2 && make install >&2 ) || { echo "build-sodium: the build failed" >&2; exit 1; }
touch "$prefix/.complete"
echo "$prefix"
