#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need. Idempotent and quiet when
# everything is already there, so every entry command can call it first.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
apt_who=install-deps
. "$here/lib/apt.sh"

packages=(
  cmake ninja-build g++ clang libclang-rt-14-dev
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix libz-mingw-w64-dev
  nlohmann-json3-dev libstb-dev googletest
  xvfb xdotool imagemagick fonts-wqy-microhei
  libcpp-httplib-dev libsqlite3-dev libqrencode-dev libssl-dev openssl libsodium-dev
  wrk nginx-light dpkg-dev curl zlib1g-dev libcurl4-openssl-dev librsvg2-bin chromium
  postgresql libpq-dev osslsigncode autoconf automake libtool
)
# Wine's 32-bit loader (wine32:i386, and with it the i386 architecture) only where the host
# can run it at all: elsewhere it would be dead weight and the i386 indexes one more thing a
# mirror mid-sync can break.
packages+=(wine wine64)
needs_i386=0
if [[ " $("$here/host-kind.sh") " == *" 32 "* ]]; then
  packages+=(wine32:i386)
  needs_i386=1
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "install-deps: missing: ${missing[*]}" >&2
if [ "$needs_i386" = 1 ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
  echo "install-deps: adding the i386 architecture for Wine's 32-bit loader" >&2
  dpkg --add-architecture i386
fi
apt_update || { echo "install-deps: cannot read any package list; giving up" >&2; exit 1; }
apt_install "${missing[@]}" || { echo "install-deps: the packages above could not be installed" >&2; exit 1; }
echo "install-deps: done" >&2
