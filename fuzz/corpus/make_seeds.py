#!/usr/bin/env python3
"""Writes the fuzz seed corpora: catalogue archives made from the shared legacy
vectors, the test fixtures and Python's zipfile (signatures rewritten by walking the
structure), and the bare compressed streams of the legacy members for the
decoder targets. Usage: make_seeds.py SHARED_DIR"""
import io, os, struct, sys, zipfile

HERE = os.path.dirname(os.path.abspath(__file__))
LOCAL, CENTRAL, END = b"\x10\x10\x42\x02", b"\x35\x10\x10\x58", b"\x42\x02\x79\x0b"


def rewrite(data):
    data = bytearray(data)
    end = data.rfind(b"PK\x05\x06")
    count, = struct.unpack_from("<H", data, end + 10)
    offset, = struct.unpack_from("<I", data, end + 16)
    if data[end - 20:end - 16] == b"PK\x06\x07":
        record, = struct.unpack_from("<Q", data, end - 12)
        count, = struct.unpack_from("<Q", data, record + 32)
        offset, = struct.unpack_from("<Q", data, record + 48)
    data[end:end + 4] = END
    for _ in range(count):
        assert data[offset:offset + 4] == b"PK\x01\x02"
        n, x, c = struct.unpack_from("<HHH", data, offset + 28)
        local, = struct.unpack_from("<I", data, offset + 42)
        usize, csize = struct.unpack_from("<II", data, offset + 24)[::-1]
        if local == 0xFFFFFFFF:
            extra = data[offset + 46 + n:offset + 46 + n + x]
            at = 0
            while at + 4 <= len(extra):
                tag, size = struct.unpack_from("<HH", extra, at)
                if tag == 1:
                    v = at + 4 + 8 * ((usize == 0xFFFFFFFF) + (csize == 0xFFFFFFFF))
                    local, = struct.unpack_from("<Q", extra, v)
                at += 4 + size
        assert data[local:local + 4] == b"PK\x03\x04"
        data[local:local + 4] = LOCAL
        data[offset:offset + 4] = CENTRAL
        offset += 46 + n + x + c
    return bytes(data)


def python_zip(members, comment=b"", force_zip64=False, level=None):
    buf = io.BytesIO()
    with zipfile.ZipFile(buf, "w", compresslevel=level) as z:
        for name, data, method in members:
            info = zipfile.ZipInfo(name)
            info.compress_type = method
            with z.open(info, "w", force_zip64=force_zip64) as f:
                f.write(data)
        z.comment = comment
    return buf.getvalue()


def write(target, name, data):
    d = os.path.join(HERE, target)
    os.makedirs(d, exist_ok=True)
    with open(os.path.join(d, name), "wb") as f:
        f.write(data)


def main():
    legacy = os.path.join(sys.argv[1], "vectors", "legacy")
    text = b"Game\tMPath\r\nSudden Attack\tC:\\Nexon\\SA\r\n" * 8
    for name, members, kw in [
        ("stored", [("Game.dat", text, zipfile.ZIP_STORED)], {}),
        ("deflated", [("Game.dat", text, zipfile.ZIP_DEFLATED)], {}),
        ("folders", [("GameData/", b"", zipfile.ZIP_STORED),
                     ("GameData/Game.dat", text, zipfile.ZIP_DEFLATED),
                     ("game.dat", text[:40], zipfile.ZIP_DEFLATED)], {}),
        ("zip64", [("Game.dat", text, zipfile.ZIP_DEFLATED)], {"force_zip64": True}),
        ("comment", [("Game.dat", text, zipfile.ZIP_STORED)], {"comment": b"\x42\x02\x79\x0b" * 8}),
        # Output that fills a 32 KiB chunk just as the compressed bytes run out.
        ("zeros_32769", [("Game.dat", bytes(32769), zipfile.ZIP_DEFLATED)], {"level": 6}),
        ("text_65537", [("Game.dat", (text * 200)[:65537], zipfile.ZIP_DEFLATED)], {"level": 9}),
    ]:
        write("archive_reader", "py_" + name, rewrite(python_zip(members, **kw)))
    fixtures = os.path.join(HERE, "..", "..", "tests", "fixtures", "archives")
    for entry in sorted(os.listdir(fixtures)):
        if entry.endswith(".zip"):
            raw = open(os.path.join(fixtures, entry), "rb").read()
            write("archive_reader", "fixture_" + entry[:-4], rewrite(raw))
    for entry in sorted(os.listdir(legacy)):
        if not entry.endswith(".zip") or "empty" in entry:
            continue
        raw = open(os.path.join(legacy, entry), "rb").read()
        write("archive_reader", entry[:-4], rewrite(raw))
        flags, method = struct.unpack_from("<HH", raw, 6)
        csize, usize = struct.unpack_from("<II", raw, 18)
        n, x = struct.unpack_from("<HH", raw, 26)
        stream = raw[30 + n + x:30 + n + x + csize]
        units = min((usize + 15) // 16, 0xFFFF)
        if method == 1:
            target, options = "unshrink", 0
        elif method in (2, 3, 4, 5):
            target, options = "unreduce", method - 2
        else:
            target, options = "explode", flags
        write(target, entry[:-4], struct.pack("<HB", units, options) + stream)


if __name__ == "__main__":
    main()
