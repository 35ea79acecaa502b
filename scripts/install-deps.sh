#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need. Idempotent and quiet when
# everything is already there, so every entry command can call it first.
set -euo pipefail

packages=(
  cmake ninja-build g++ clang libclang-rt-14-dev
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix libz-mingw-w64-dev
  nlohmann-json3-dev libstb-dev googletest
  xvfb xdotool imagemagick fonts-wqy-microhei
  libcpp-httplib-dev libsqlite3-dev libqrencode-dev libssl-dev openssl
  wrk nginx-light dpkg-dev curl zlib1g-dev libcurl4-openssl-dev librsvg2-bin
  postgresql libpq-dev
)
wine_packages=(wine wine32:i386 wine64)

missing=()
for p in "${packages[@]}" "${wine_packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "install-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
fi
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
