#!/usr/bin/env bash
# Makes, once per cache, the test publisher that signs the demo's and the tests' stand-in
# installers and DLLs: a root ("Tessavane Test Root") and a code-signing certificate issued by
# it ("Tessavane Test Publisher"). Prints the folder that holds them:
#   root.der                     the root, for the Root store of a throwaway Wine prefix
#   root.pem root.key            the root and its key, for tests that need other certificates
#                                issued by it
#   publisher.pem publisher.key  the signer (certificate and the root after it, and its key)
# With --root-key it prints instead the root's key as builds pin it (cmake/publishers.cmake):
# the SHA-256 of its DER SubjectPublicKeyInfo, in lowercase hex.
# Only builds whose catalogue lives on this machine trust that name (see cmake/publishers.cmake):
# the key lies unprotected in the cache, so it must never vouch for anything on a user's PC.
set -euo pipefail
. "$(dirname "$0")/lib/cache.sh"
print_key=0
case "${1:-}" in
  "") ;;
  --root-key) print_key=1 ;;
  *) echo "usage: test-publisher.sh [--root-key]" >&2; exit 2 ;;
esac
print_result() {  # folder
  if [ "$print_key" = 1 ]; then
    openssl x509 -in "$1/root.pem" -noout -pubkey | openssl pkey -pubin -outform DER | sha256sum | cut -c1-64
  else
    echo "$1"
  fi
}
folder="$cache_root/test-publisher-v1"
if [ -f "$folder/.complete" ]; then print_result "$folder"; exit 0; fi

echo "making the test publisher's certificates in $folder" >&2
cache_work test-publisher
cd "$work"
days=7300
openssl req -x509 -newkey rsa:2048 -nodes -sha256 -days "$days" -keyout root.key -out root.pem \
  -subj "/O=Tessavane Test/CN=Tessavane Test Root" \
  -addext "basicConstraints=critical,CA:TRUE" -addext "keyUsage=critical,keyCertSign,cRLSign" 2>/dev/null
openssl req -newkey rsa:2048 -nodes -sha256 -keyout publisher.key -out publisher.csr \
  -subj "/O=Tessavane Test Publisher/CN=Tessavane Test Publisher" 2>/dev/null
printf '%s\n' "basicConstraints=critical,CA:FALSE" "keyUsage=critical,digitalSignature" \
  "extendedKeyUsage=codeSigning" > publisher.ext
openssl x509 -req -sha256 -days "$days" -in publisher.csr -CA root.pem -CAkey root.key -CAcreateserial \
  -extfile publisher.ext -out publisher-only.pem 2>/dev/null
cat publisher-only.pem root.pem > publisher.pem
openssl x509 -in root.pem -outform DER -out root.der
rm -f publisher.csr publisher.ext root.srl publisher-only.pem
cache_publish "$folder" >/dev/null
print_result "$folder"
