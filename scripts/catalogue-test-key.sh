#!/usr/bin/env bash
# Makes, once per cache, the catalogue signing keys of the demo and the tests: two Ed25519 key
# pairs, "first" and "second" (a build for a catalogue on this machine embeds both, as a release
# embeds the current key and its successor while a key is rotated). Prints the folder:
#   first.pem  second.pem          the private keys (PKCS#8 PEM), for tessa-catalogue sign
#   first.hex  second.hex          the public keys, 64 hexadecimal digits
# The keys lie unprotected in the cache, so only builds whose catalogue lives on this machine
# may embed them (see cmake/catalogue_keys.cmake).
set -euo pipefail
. "$(dirname "$0")/lib/cache.sh"
folder="$cache_root/catalogue-test-keys-v1"
cache_reuse "$folder"

echo "making the test catalogue keys in $folder" >&2
cache_work catalogue-keys
for name in first second; do
  openssl genpkey -algorithm ed25519 -out "$work/$name.pem" 2>/dev/null
  # The raw key is the last 32 bytes of the SubjectPublicKeyInfo.
  openssl pkey -in "$work/$name.pem" -pubout -outform DER | tail -c 32 | od -An -v -tx1 | tr -d ' \n' \
    > "$work/$name.hex"
  [ "$(wc -c < "$work/$name.hex")" = 64 ] || { echo "catalogue-test-key: openssl made no Ed25519 key" >&2; exit 1; }
done
chmod 600 "$work"/*.pem
cache_publish "$folder"
