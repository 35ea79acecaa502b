#!/usr/bin/env python3
"""Grows a signed PE's certificate table the ways the publisher check must refuse, leaving the
signature itself valid (Authenticode's digest leaves the table out):
  payload  8 bytes of data after the signature inside its WIN_CERTIFICATE (the MS13-098 trick)
  zeros    16 zero bytes there: more than the alignment padding
  second   a second WIN_CERTIFICATE after the first (a copy of it)
Usage: grow_certificate_table.py MODE IN OUT"""
import struct
import sys


def main():
    mode, source, target = sys.argv[1:4]
    image = bytearray(open(source, "rb").read())
    pe = struct.unpack_from("<I", image, 0x3C)[0]
    optional = pe + 24
    magic = struct.unpack_from("<H", image, optional)[0]
    directory = optional + {0x10B: 96, 0x20B: 112}[magic] + 8 * 4
    at, size = struct.unpack_from("<II", image, directory)
    if at == 0 or at + size != len(image):
        sys.exit(f"{source}: no certificate table at the file's end")
    entry_length = struct.unpack_from("<I", image, at)[0]
    if mode == "payload":
        grown, entry_length = b"MS13-098", entry_length + 8
    elif mode == "zeros":
        grown, entry_length = bytes(16), entry_length + 16
    elif mode == "second":
        grown = bytes(image[at:at + size])
    else:
        sys.exit(f"unknown mode {mode}")
    image += grown
    struct.pack_into("<I", image, at, entry_length)
    struct.pack_into("<II", image, directory, at, size + len(grown))
    open(target, "wb").write(image)


if __name__ == "__main__":
    main()
