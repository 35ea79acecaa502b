#!/usr/bin/env bash
# The publisher check beside the MD5 check on a signed stand-in of an installer's size
# (SIZE_MIB, default 25, about a Visual C++ 2015-2022 package), under Wine as the program runs.
# Needs build/windows and a prefix that trusts the test publisher (./test.sh makes both:
# build/wineprefix-32). Prints the medians of ROUNDS (default 5) and their ratio.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
size_mib=${SIZE_MIB:-25}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# A program whose initialised data makes it an installer's size; random bytes, so that nothing
# compresses or repeats.
{
  echo "static const unsigned char payload[] = {"
  head -c $((size_mib * 1048576)) /dev/urandom | od -An -tu1 -v | tr -s ' \n' ',,' | sed 's/^,//; s/,$//'
  echo "};"
  echo "int main(void) { return payload[0] == 7; }"
} > "$work/big.c"
i686-w64-mingw32-gcc-posix -O0 -s "$work/big.c" -o "$work/big.exe"
scripts/sign-test-file.sh "$work/big.exe"
export WINEPREFIX=${WINEPREFIX:-$root/build/wineprefix-32} WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wine build/windows/bench/publisher_check_bench.exe "$work/big.exe" "${ROUNDS:-5}"
