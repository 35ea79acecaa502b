#!/usr/bin/env bash
# Signs Windows programs and DLLs in place as the test publisher (scripts/test-publisher.sh),
# the way the vendors sign the installers and DLLs the real catalogue names, so that the
# demo's and the tests' stand-ins pass the program's publisher check.
# Usage: scripts/sign-test-file.sh FILE...
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
publisher=$("$here/test-publisher.sh")
for file in "$@"; do
  # A rebuilt file that was signed before is signed afresh, not signed twice.
  osslsigncode remove-signature -in "$file" -out "$file.unsigned" >/dev/null 2>&1 || cp "$file" "$file.unsigned"
  if ! osslsigncode sign -h sha256 -certs "$publisher/publisher.pem" -key "$publisher/publisher.key" \
       -in "$file.unsigned" -out "$file.signed" >/dev/null; then
    rm -f "$file.unsigned" "$file.signed"
    echo "sign-test-file: could not sign $file" >&2
    exit 1
  fi
  rm -f "$file.unsigned"
  mv "$file.signed" "$file"
done
