#!/usr/bin/env bash
# Makes (once per Wine version) a pristine 64-bit Wine prefix with WoW64 and the Chinese font
# replacement, kept in the cache; prints its path. Callers copy it before writing into it.
set -euo pipefail
cache_root=${TESSAVANE_CACHE:-/var/cache/tessavane}
version=$(wine --version | tr -c 'A-Za-z0-9.\n' '_')
prefix="$cache_root/wineprefix-$version"
if [ -f "$prefix/.complete" ]; then echo "$prefix"; exit 0; fi

rm -rf "$prefix"; mkdir -p "$cache_root"
here=$(cd "$(dirname "$0")" && pwd)
export WINEPREFIX="$prefix" WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wineboot -i >&2 2>/dev/null
# Wine only reads .reg files in UTF-16 with a BOM when they hold non-ASCII names.
reg=$(mktemp --suffix=.reg)
iconv -f UTF-8 -t UTF-16 "$here/wine-fonts.reg.in" > "$reg"
wine regedit /S "$(winepath -w "$reg")" >&2 2>/dev/null
rm -f "$reg"
wineserver -w
touch "$prefix/.complete"
echo "$prefix"
