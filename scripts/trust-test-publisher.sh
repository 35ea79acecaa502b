#!/usr/bin/env bash
# Puts the test publisher's root (scripts/test-publisher.sh) into the machine Root store of
# the Wine prefix in WINEPREFIX, so that the demo's and the tests' signed stand-ins lead to a
# trusted root there, as the vendors' files do on Windows. For throwaway test prefixes and the
# demo's own prefix only.
# Usage: scripts/trust-test-publisher.sh 32|64   (the Windows suite whose Wine loader to use)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
suite=${1:?usage: trust-test-publisher.sh 32|64}
: "${WINEPREFIX:?WINEPREFIX must name the prefix}"
. "$here/lib/wine.sh"
wine_use_suite "$suite"
case "$suite" in 32) cc=i686-w64-mingw32-gcc-posix ;; *) cc=x86_64-w64-mingw32-gcc-posix ;; esac
publisher=$("$here/test-publisher.sh")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$cc" -O2 -s -static -Wall -Wextra -Werror "$here/../tools/test_root/trust_root.c" -o "$work/trust_root.exe" -lcrypt32
if ! "$wine" "$work/trust_root.exe" "Z:${publisher//\//\\}\\root.der" </dev/null; then
  echo "trust-test-publisher: the test root could not be trusted in $WINEPREFIX" >&2
  exit 1
fi
echo "trust-test-publisher: $WINEPREFIX trusts the test publisher's root" >&2
