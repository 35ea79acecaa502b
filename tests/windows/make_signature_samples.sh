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
#   same_root_name.exe  signed by "Tessavane Test Publisher" issued by another root that bears
#                     the test root's very name (same_root_name.der: that root, which the
#                     tests trust in the prefix's machine Root store)
#   user_root.exe     the same from a third root (user_root.der) that the tests put in the
#                     current user's Root store only
#   crl_point.exe     signed by the test publisher's name from the test root, with a CRL
#                     distribution point on 127.0.0.1:$CRL_PORT (nothing may fetch it)
#   padded.exe        signed.exe with 8 bytes after the signature in its certificate entry
#                     (the MS13-098 trick); padded_zeros.exe the same with 16 zero bytes;
#                     two_entries.exe with a second certificate entry
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
issue_from() {  # root certificate, its key, name, subject, extended key usage[, another extension]
  openssl req -newkey rsa:2048 -nodes -sha256 -keyout "$work/$3.key" -out "$work/$3.csr" -subj "$4" 2>/dev/null
  printf '%s\n' "basicConstraints=critical,CA:FALSE" "keyUsage=critical,digitalSignature" \
    "extendedKeyUsage=$5" ${6:+"$6"} > "$work/$3.ext"
  openssl x509 -req -sha256 -days 30 -in "$work/$3.csr" -CA "$1" -CAkey "$2" \
    -CAcreateserial -CAserial "$work/serial" -extfile "$work/$3.ext" -out "$work/$3.only.pem" 2>/dev/null
  cat "$work/$3.only.pem" "$1" > "$work/$3.pem"
}
issue_from_test_root() {  # name, subject, extended key usage[, another extension]
  issue_from "$publisher/root.pem" "$publisher/root.key" "$@"
}
make_root() {  # name, subject
  openssl req -x509 -newkey rsa:2048 -nodes -sha256 -days 30 -keyout "$work/$1.key" -out "$work/$1.pem" \
    -subj "$2" -addext "basicConstraints=critical,CA:TRUE" -addext "keyUsage=critical,keyCertSign,cRLSign" 2>/dev/null
  openssl x509 -in "$work/$1.pem" -outform DER -out "$out/$1.der"
}
publisher_subject="/O=Tessavane Test Publisher/CN=Tessavane Test Publisher"

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

# The test publisher's name from a root that bears the test root's name, and from a root that
# is trusted only by the current user.
make_root same_root_name "$(openssl x509 -in "$publisher/root.pem" -noout -subject -nameopt compat | sed 's/^subject=//')"
issue_from "$work/same_root_name.pem" "$work/same_root_name.key" same_name_signer "$publisher_subject" codeSigning
sign_with "$work/same_name_signer.pem" "$work/same_name_signer.key" "$out/unsigned.exe" "$out/same_root_name.exe"
make_root user_root "/O=Tessavane Test/CN=Tessavane User Root"
issue_from "$work/user_root.pem" "$work/user_root.key" user_signer "$publisher_subject" codeSigning
sign_with "$work/user_signer.pem" "$work/user_signer.key" "$out/unsigned.exe" "$out/user_root.exe"

# A signer whose revocation list would have to be fetched.
issue_from_test_root crl_signer "$publisher_subject" codeSigning \
  "crlDistributionPoints=URI:http://127.0.0.1:${CRL_PORT:-39417}/tessavane-test.crl"
sign_with "$work/crl_signer.pem" "$work/crl_signer.key" "$out/unsigned.exe" "$out/crl_point.exe"

# Bytes in the certificate table beside the signature, which stays valid.
for mode in payload zeros second; do
  case $mode in payload) name=padded ;; zeros) name=padded_zeros ;; second) name=two_entries ;; esac
  python3 "$here/grow_certificate_table.py" "$mode" "$out/signed.exe" "$out/$name.exe"
done
