#!/usr/bin/env python3
"""Writes the fuzz seed corpora: catalogue archives made from the shared legacy
vectors, the test fixtures and Python's zipfile (signatures rewritten by walking the
structure), and the bare compressed streams of the legacy members for the
decoder targets. Usage: make_seeds.py SHARED_DIR

make_seeds.py --peers SHARED_DIR OUT_DIR writes the other projects' archives
(SHARED_DIR/peer-archives, uuencoded ones decoded) into OUT_DIR with the
catalogue's signatures, for the archive targets' runs; they are not kept in the
repository."""
import binascii, io, os, struct, sys, zipfile

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


def blunt(data):
    """Every signature-like run of bytes given the catalogue's signature, for
    files whose structure does not hold together (damaged on purpose)."""
    for old, new in ((b"PK\x03\x04", LOCAL), (b"PK\x01\x02", CENTRAL), (b"PK\x05\x06", END)):
        data = data.replace(old, new)
    return data


def uudecode(text):
    out = bytearray()
    lines = text.split(b"\n")
    for i, line in enumerate(lines):
        if line.startswith(b"begin "):
            for body in lines[i + 1:]:
                body = body.rstrip(b"\r")
                if body in (b"end", b"`", b""):
                    break
                try:
                    out += binascii.a2b_uu(body)
                except binascii.Error:
                    n = (body[0] - 32) & 63
                    out += binascii.a2b_uu(body[:1 + (n + 2) // 3 * 4])
            break
    return bytes(out)


def peers(shared, out):
    root = os.path.join(shared, "peer-archives")
    os.makedirs(out, exist_ok=True)
    written = 0
    for folder, _, files in sorted(os.walk(root)):
        for name in sorted(files):
            path = os.path.join(folder, name)
            if name.endswith(".md") or os.path.getsize(path) > 4 << 20:
                continue
            data = open(path, "rb").read()
            if name.endswith(".uu"):
                data = uudecode(data)
            if b"PK" not in data:
                continue
            try:
                data = rewrite(data)
            except (AssertionError, struct.error, IndexError, ValueError):
                data = blunt(data)
            seed = os.path.relpath(path, root).replace(os.sep, "_")
            with open(os.path.join(out, seed), "wb") as f:
                f.write(data)
            written += 1
    print(f"{written} seeds from the other projects' archives")


if __name__ == "__main__":
    if sys.argv[1] == "--peers":
        peers(sys.argv[2], sys.argv[3])
    else:
        main()
