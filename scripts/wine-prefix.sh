#!/usr/bin/env bash
# Makes (once per Wine version and suite) a pristine 64-bit Wine prefix with the Chinese font
# replacement, kept in the cache; prints its path. Callers copy it before writing into it.
#   wine-prefix.sh [--arch 32|64]
# 32 (default): made through Debian's `wine`, which boots WoW64 too, for the i686 suite.
# 64: made through the 64-bit loader alone, for the x86_64 suite. Where Wine's 32-bit half can
# run, wineboot fills the prefix's SysWOW64 all the same; where it cannot (hosts that run no
# 32-bit program, or scripts/as-wine64-only-host) SysWOW64 stays empty. The two are cached under
# names of their own, so that a prefix made on one kind of host never stands in for the other.
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
if [ "$arch" = 64 ]; then
  name=wineprefix64-no32-$version
  if [[ " $("$here/host-kind.sh" 2>/dev/null) " == *" 32 "* ]] && [ -x /usr/lib/wine/wine ]; then
    name=wineprefix64-wow64-$version
  fi
fi
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
