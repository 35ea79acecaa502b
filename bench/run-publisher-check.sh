#!/usr/bin/env bash
# The publisher check beside the MD5 check on a signed stand-in of an installer's size
# (SIZE_MIB, default 25, about a Visual C++ 2015-2022 package), under Wine as the program runs.
# Measures the i686 build where the host runs 32-bit programs, else the x86_64 one
# (BENCH_SUITE=32|64 picks one: bench/lib/windows-build.sh), in a throwaway prefix that trusts
# the test publisher. Prints the medians of ROUNDS (default 5), their ratio, and which build and
# loader it measured.
set -euo pipefail
cd "$(dirname "$0")/.."
size_mib=${SIZE_MIB:-25}
work=$(mktemp -d)
trap 'wineserver -k 2>/dev/null; rm -rf "$work"' EXIT
. bench/lib/windows-build.sh
bench_pick_build
bench_build_targets publisher_check_bench
# A program whose initialised data makes it an installer's size; random bytes, so that nothing
# compresses or repeats.
{
  echo "static const unsigned char payload[] = {"
  head -c $((size_mib * 1048576)) /dev/urandom | od -An -tu1 -v | tr -s ' \n' ',,' | sed 's/^,//; s/,$//'
  echo "};"
  echo "int main(void) { return payload[0] == 7; }"
} > "$work/big.c"
"$bench_cc" -O0 -s "$work/big.c" -o "$work/big.exe"
scripts/sign-test-file.sh "$work/big.exe"
bench_prefix "$work/prefix"
"$wine" "$bench_build"/bench/publisher_check_bench.exe "$work/big.exe" "${ROUNDS:-5}"
echo "$(bench_measured)"
