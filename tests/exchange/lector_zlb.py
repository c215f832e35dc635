#!/usr/bin/env python3
"""Independent reader of .zlb archives, written only from the byte layout.

Usage: lector_zlb.py ARCHIVE [ORIGINALS_FOLDER]

Checks the trailer CRC, decompresses the directory, decompresses (or copies) every member,
checks its size and CRC-32 and, when a folder is given, compares it with the file of the same
name there. Prints one line per member: its name and "z" (zlib stream) or "s" (stored).
Exits 1 with the reason on standard error at the first disagreement.
"""
import os
import struct
import sys
import zlib

TRAILER = 36
ENTRY = 532


def fail(reason):
    sys.stderr.write(reason + "\n")
    sys.exit(1)


def string(slot):
    return slot[1:1 + slot[0]].decode("cp1252")


def main():
    data = open(sys.argv[1], "rb").read()
    originals = sys.argv[2] if len(sys.argv) > 2 else None
    if len(data) < TRAILER:
        fail("shorter than a trailer")
    body, trailer = data[:-TRAILER], data[-TRAILER:]
    crc, count, mark, dir_size, dir_offset, compressed = struct.unpack("<IIIIIB", trailer[:21])
    if zlib.crc32(body) != crc:
        fail("trailer CRC differs")
    if mark != 1 or trailer[21:] != bytes(15):
        fail("trailer mark or padding")
    raw = body[dir_offset:]
    if compressed:
        if dir_offset + dir_size != len(body):
            fail("directory size")
        raw = zlib.decompress(raw)
    if len(raw) != count * ENTRY:
        fail("directory holds %d bytes for %d entries" % (len(raw), count))
    for i in range(count):
        e = raw[i * ENTRY:(i + 1) * ENTRY]
        name, folder = string(e[0:256]), string(e[256:512])
        size, stored_size, offset, member_crc = struct.unpack("<IIII", e[512:528])
        stored, level = e[528], e[529]
        if e[530:532] != b"\0\0":
            fail("entry padding")
        member = body[offset:offset + stored_size]
        content = member if stored else zlib.decompress(member)
        if stored and level != 0:
            fail("stored member with a level")
        if len(content) != size or zlib.crc32(content) != member_crc:
            fail("member %s: size or CRC" % name)
        if originals is not None:
            with open(os.path.join(originals, name), "rb") as f:
                if f.read() != content:
                    fail("member %s differs from the original" % name)
        print("%s%s %s" % (folder, name, "s" if stored else "z"))


main()
