#!/usr/bin/env python3
"""Prints the file and the product version of a Windows program's version
resource, e.g. "1.0.0.0 1.0.0.0".

usage: file_version.py PROGRAM"""
import struct
import sys

data = open(sys.argv[1], "rb").read()
at = data.find(struct.pack("<I", 0xFEEF04BD))  # the signature of VS_FIXEDFILEINFO
if at < 0:
    sys.exit(f"{sys.argv[1]}: no version resource")
numbers = struct.unpack_from("<4I", data, at + 8)  # file MS, LS, product MS, LS
print(" ".join(f"{ms >> 16}.{ms & 0xFFFF}.{ls >> 16}.{ls & 0xFFFF}" for ms, ls in (numbers[:2], numbers[2:])))
