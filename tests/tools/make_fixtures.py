#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Writes archive fixtures for the fgg tests with a writer of its own, independent of the C++ one.

Usage: make_fixtures.py OUTDIR

For every archive NAME.fgg it also writes NAME.list (the listing fgg must print) and, for each
record that must be delivered, NAME.INDEX.bin (the bytes fgg must extract).
"""

import hashlib
import os
import struct
import sys
import zlib

SIGNATURE = b"ASDb"


def record(kind, data, *, stored=None, unpacked=None, digest=None, enciphered=0, iv=bytes(8)):
    """One record header (44 bytes, little-endian, unpadded) followed by its stored data."""
    stored = zlib.compress(data, 9) if stored is None else stored
    unpacked = len(data) if unpacked is None else unpacked
    digest = hashlib.md5(data).digest() if digest is None else digest
    header = struct.pack("<Hiid16sH8s", kind, unpacked, len(stored), 1234.5, digest, enciphered, iv)
    assert len(header) == 44
    return header + stored


def archive(entries, before_table, signature=SIGNATURE):
    """entries: (key, record bytes) in key-table order. The first `before_table` records lie
    between the header and the key table, the others after it, in reverse order so that file
    order and table order differ."""
    keys = [key.encode("cp1251") for key, _ in entries]
    table_size = sum(8 + len(k) for k in keys)
    in_front = list(range(before_table))
    behind = list(reversed(range(before_table, len(entries))))
    offsets = [0] * len(entries)
    position = 12
    for i in in_front:
        offsets[i] = position
        position += len(entries[i][1])
    table_offset = position
    position += table_size
    for i in behind:
        offsets[i] = position
        position += len(entries[i][1])
    out = bytearray(signature + struct.pack("<ii", len(entries), table_offset))
    for i in in_front:
        out += entries[i][1]
    for key, offset in zip(keys, offsets):
        out += struct.pack("<i", len(key)) + key + struct.pack("<i", offset)
    for i in behind:
        out += entries[i][1]
    return bytes(out)


def listing(rows):
    lines = []
    for index, (key, kind, unpacked, stored, enciphered) in enumerate(rows):
        lines.append(f"{index}\t{kind}\t{unpacked}\t{stored}\t{enciphered}\t{key}\n")
    return "".join(lines).encode("cp1251")


def payload(seed, length):
    return bytes((seed * 31 + i * 7 + (i >> 5)) & 0xFF for i in range(length))


def write(outdir, name, data):
    with open(os.path.join(outdir, name), "wb") as f:
        f.write(data)


def make_mixed(outdir):
    good = [payload(1, 700), payload(2, 40), payload(3, 5000), b"particle template\n" * 9, payload(5, 64)]
    not_zlib = bytes(range(29))
    # (key, kind, data, record bytes, delivered)
    items = [
        ("RedCircle.Piece", 1, good[0], record(1, good[0]), True),
        ("redcircle.PIECE", 1, good[1], record(1, good[1]), True),
        ("Verdana11", 3, good[2], record(3, good[2]), True),
        ("Explode-Red.pss", 0, good[3], record(0, good[3]), True),
        ("BadDigest", 1, good[4], record(1, good[4], digest=bytes(16)), False),
        ("WrongLength", 1, good[4], record(1, good[4], unpacked=len(good[4]) + 1), False),
        ("Secret", 1, good[4], record(1, good[4], stored=not_zlib, enciphered=1, iv=b"12345678"), False),
        ("Empty", 1, b"", record(1, b""), False),
    ]
    data = archive([(key, rec) for key, _, _, rec, _ in items], before_table=2)
    write(outdir, "mixed.fgg", data)
    rows = []
    for index, (key, kind, raw, rec, delivered) in enumerate(items):
        unpacked, stored = struct.unpack_from("<ii", rec, 2)
        enciphered = struct.unpack_from("<H", rec, 34)[0]
        rows.append((key, kind, unpacked, stored, 1 if enciphered else 0))
        if delivered:
            write(outdir, f"mixed.{index}.bin", raw)
    write(outdir, "mixed.list", listing(rows))
    # Damaged copies: cut inside the key table, and a record count no file could hold.
    write(outdir, "truncated.fgg", data[: struct.unpack_from("<i", data, 8)[0] + 6])
    write(outdir, "hugecount.fgg", data[:4] + struct.pack("<i", 0x7FFFFFFF) + data[8:])


def make_foreign(outdir):
    hello = b"hello from a foreign signature"
    rec = record(1, hello)
    write(outdir, "foreign.fgg", archive([("Hello", rec)], before_table=0, signature=b"NOPE"))
    write(outdir, "foreign.0.bin", hello)
    write(outdir, "foreign.list", listing([("Hello", 1, len(hello), len(rec) - 44, 0)]))


def make_empty(outdir):
    write(outdir, "empty.fgg", archive([], before_table=0))
    write(outdir, "empty.list", b"")


def main():
    if len(sys.argv) != 2:
        sys.stderr.write("usage: make_fixtures.py OUTDIR\n")
        return 2
    outdir = sys.argv[1]
    os.makedirs(outdir, exist_ok=True)
    make_mixed(outdir)
    make_foreign(outdir)
    make_empty(outdir)
    return 0


if __name__ == "__main__":
    sys.exit(main())
