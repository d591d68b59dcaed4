#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Orvena
# SPDX-License-Identifier: LicenseRef-Kaltrix
"""Packs PNG images into one Windows icon file: make_ico.py OUT.ico IN.png...

Every image goes in as PNG, which Windows reads from icon files at every size since Vista."""

import struct
import sys


def png_size(data):
    if data[:8] != b"\x89PNG\r\n\x1a\n" or data[12:16] != b"IHDR":
        raise SystemExit("not a PNG image")
    return struct.unpack(">II", data[16:24])


def main():
    out, sources = sys.argv[1], sys.argv[2:]
    images = [open(path, "rb").read() for path in sources]
    header = struct.pack("<HHH", 0, 1, len(images))
    offset = len(header) + 16 * len(images)
    directory, payload = b"", b""
    for data in images:
        width, height = png_size(data)
        # 256 and more is written as 0.
        directory += struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, 1, 32, len(data), offset)
        payload += data
        offset += len(data)
    with open(out, "wb") as f:
        f.write(header + directory + payload)


if __name__ == "__main__":
    main()
