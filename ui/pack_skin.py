#!/usr/bin/env python3
"""Packs skin folders into one flat zip: layout files deflated, pictures stored (they are
compressed already). Later folders win over earlier ones for the same entry name."""
import os
import sys
import zipfile

SKIPPED = {"images.txt"}


def main(argv):
    if len(argv) < 3:
        print("usage: pack_skin.py OUT.zip FOLDER...", file=sys.stderr)
        return 2
    out, folders = argv[1], argv[2:]
    entries = {}
    for folder in folders:
        for name in sorted(os.listdir(folder)):
            path = os.path.join(folder, name)
            if os.path.isfile(path) and name not in SKIPPED:
                entries[name] = path
    tmp = out + ".tmp"
    with zipfile.ZipFile(tmp, "w") as archive:
        for name in sorted(entries):
            stored = name.lower().endswith((".png", ".gif"))
            method = zipfile.ZIP_STORED if stored else zipfile.ZIP_DEFLATED
            archive.write(entries[name], arcname=name, compress_type=method)
    os.replace(tmp, out)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
