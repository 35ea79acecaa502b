#!/usr/bin/env bash
# Makes (once per Wine version and suite) a pristine 64-bit Wine prefix with the Chinese font
# replacement, kept in the cache; prints its path. Callers copy it before writing into it.
#   wine-prefix.sh [--arch 32|64]
# 32 (default): made through Debian's `wine`, which boots WoW64 too, for the i686 suite.
# 64: made through the 64-bit loader alone, as on hosts that run no 32-bit program, for the
# x86_64 suite; it is cached apart, since on such hosts its 32-bit half never boots.
set -euo pipefail
arch=32
case "${1:-}" in
  "") ;;
  --arch) arch=${2:?--arch needs 32 or 64} ;;
  *) echo "usage: wine-prefix.sh [--arch 32|64]" >&2; exit 2 ;;
esac
here=$(cd "$(dirname "$0")" && pwd)
. "$here/lib/wine.sh"
wine_use_suite "$arch"

cache_root=${TESSAVANE_CACHE:-/var/cache/tessavane}
version=$("$wine" --version | tr -c 'A-Za-z0-9.\n' '_')
name=wineprefix-$version
[ "$arch" = 64 ] && name=wineprefix64-$version
prefix="$cache_root/$name"
if [ -f "$prefix/.complete" ]; then echo "$prefix"; exit 0; fi

echo "wine-prefix: making $prefix with $wine" >&2
rm -rf "$prefix"; mkdir -p "$cache_root"
export WINEPREFIX="$prefix" WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
"$wine" wineboot -i >&2 2>/dev/null
# Wine only reads .reg files in UTF-16 with a BOM when they hold non-ASCII names.
reg=$(mktemp --suffix=.reg)
iconv -f UTF-8 -t UTF-16 "$here/wine-fonts.reg.in" > "$reg"
"$wine" regedit /S "$("$wine" winepath -w "$reg" | tr -d '\r')" >&2 2>/dev/null
rm -f "$reg"
wineserver -w
touch "$prefix/.complete"
echo "$prefix"
