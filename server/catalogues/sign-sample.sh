#!/usr/bin/env bash
# Signs the sample production catalogue with the published throwaway key, as an operator signs
# theirs: sign-sample.sh [VENDOR_FILES_DIR]   (writes production-sample.signed.json beside it)
# VENDOR_FILES_DIR is the server's --files folder with the vendors' installers at the md5From
# paths and the hosted packages; a file it lacks is stood in by a placeholder, whose digest no
# real download matches. The key is published: the result shows the format, it protects nothing.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
bin=${TESSA_CATALOGUE_BIN:-$root/build/native/server/tessa-catalogue}
[ -x "$bin" ] || { echo "sign-sample: build tessa-catalogue first (cmake --build build/native --target tessa-catalogue)" >&2; exit 1; }
vendor=${1:-}
files=$(mktemp -d)
trap 'rm -rf "$files"' EXIT
[ -n "$vendor" ] && cp -a "$vendor/." "$files/"
# Every file the catalogue takes a digest from, as a path under /files/.
python3 - "$here/production-sample.json" "$files" <<'PY'
import json, os, sys
catalogue, files = json.load(open(sys.argv[1], encoding="utf-8")), sys.argv[2]
for key in ("filesList", "runtime", "dx", "system"):
    for e in catalogue.get(key, []):
        source = e.get("md5From") or e["downloadUrl"]
        if not source.startswith("/files/"):
            continue
        path = os.path.join(files, source[len("/files/"):])
        if not os.path.exists(path):
            os.makedirs(os.path.dirname(path), exist_ok=True)
            with open(path, "w") as f:
                f.write("placeholder for %s\n" % source)
PY
"$bin" sign --key "$here/throwaway-operator.pem" --version 1 --expires-days 3650 \
  --public-url https://catalogue.example.com --files "$files" "$here/production-sample.json" \
  > "$here/production-sample.signed.json"
echo "sign-sample: wrote $here/production-sample.signed.json" >&2
