#!/usr/bin/env bash
# Makes the files the publisher check is tried on, from a plain program, a stand-in installer
# and a stand-in DLL:
#   signed.exe        signed by the test publisher           test_root.der  its root
#   unsigned.exe      no signature at all
#   tampered.exe      signed, then one byte of its code changed
#   impostor.exe      signed by a certificate of the same name that another root issued
#                     (impostor_root.der: that root, which is the certificate itself)
#   other_name.exe    signed by "Somebody Else", issued by the test root
#   not_for_code.exe  signed by a certificate of the right name from the test root that may
#                     only serve TLS, not sign code
#   unsigned_installer.exe, impostor.dll   the stand-ins without a trusted signature
# Usage: make_signature_samples.sh OUT PROGRAM INSTALLER DLL
set -euo pipefail
out=$1 program=$2 installer=$3 dll=$4
here=$(cd "$(dirname "$0")" && pwd)
publisher=$("$here/../../scripts/test-publisher.sh")
rm -rf "$out"; mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

unsigned_copy() {  # from, to
  osslsigncode remove-signature -in "$1" -out "$2" >/dev/null 2>&1 || cp "$1" "$2"
}
sign_with() {  # certificates, key, from, to
  osslsigncode sign -h sha256 -certs "$1" -key "$2" -in "$3" -out "$4" >/dev/null
}
issue_from_test_root() {  # name, subject, extended key usage
  openssl req -newkey rsa:2048 -nodes -sha256 -keyout "$work/$1.key" -out "$work/$1.csr" -subj "$2" 2>/dev/null
  printf '%s\n' "basicConstraints=critical,CA:FALSE" "keyUsage=critical,digitalSignature" \
    "extendedKeyUsage=$3" > "$work/$1.ext"
  openssl x509 -req -sha256 -days 30 -in "$work/$1.csr" -CA "$publisher/root.pem" -CAkey "$publisher/root.key" \
    -CAcreateserial -CAserial "$work/serial" -extfile "$work/$1.ext" -out "$work/$1.only.pem" 2>/dev/null
  cat "$work/$1.only.pem" "$publisher/root.pem" > "$work/$1.pem"
}

cp "$publisher/root.der" "$out/test_root.der"
unsigned_copy "$program" "$out/unsigned.exe"
sign_with "$publisher/publisher.pem" "$publisher/publisher.key" "$out/unsigned.exe" "$out/signed.exe"

# One byte of the code, which the signature's digest covers: the first section starts at the
# headers' end, 0x400 in MinGW's images.
cp "$out/signed.exe" "$out/tampered.exe"
byte=$(od -An -tu1 -j 1024 -N 1 "$out/tampered.exe" | tr -d ' ')
printf "$(printf '\\%03o' $(( (byte + 1) % 256 )))" | dd of="$out/tampered.exe" bs=1 seek=1024 conv=notrunc 2>/dev/null

openssl req -x509 -newkey rsa:2048 -nodes -sha256 -days 30 -keyout "$work/impostor.key" -out "$work/impostor.pem" \
  -subj "/O=Tessavane Test Publisher/CN=Tessavane Test Publisher" -addext "extendedKeyUsage=codeSigning" 2>/dev/null
openssl x509 -in "$work/impostor.pem" -outform DER -out "$out/impostor_root.der"
sign_with "$work/impostor.pem" "$work/impostor.key" "$out/unsigned.exe" "$out/impostor.exe"

issue_from_test_root other "/O=Somebody Else/CN=Somebody Else" codeSigning
sign_with "$work/other.pem" "$work/other.key" "$out/unsigned.exe" "$out/other_name.exe"
issue_from_test_root tls "/O=Tessavane Test Publisher/CN=Tessavane Test Publisher" serverAuth
sign_with "$work/tls.pem" "$work/tls.key" "$out/unsigned.exe" "$out/not_for_code.exe"

unsigned_copy "$installer" "$out/unsigned_installer.exe"
unsigned_copy "$dll" "$work/unsigned.dll"
sign_with "$work/impostor.pem" "$work/impostor.key" "$work/unsigned.dll" "$out/impostor.dll"
