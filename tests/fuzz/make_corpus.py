#!/usr/bin/env python3
"""Writes the fuzz targets' seed corpus: small valid and slightly broken packages, PackHead entries and fonts.

Usage: make_corpus.py OUTPUT_FOLDER   (one subfolder per fuzz target, made afresh)
"""
import io
import os
import shutil
import struct
import sys
import zipfile

TRAILER_MAGIC = 0x03AF7319
SIDE_IMAGE, DESCRIPTION, PREVIEW = 1, 2, 4


def bitmap(width=2, height=1):
    """A 24-bit bottom-up BMP file, rows padded to four bytes."""
    row = (width * 3 + 3) & ~3
    pixels = bytes(range(row)) * height
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    return header + info + pixels


def pack_head(patterns, side=None, description=None, preview=None, header_size=16, file_count=None):
    """PackHead as packages hold it: the header, the parts present in flag order, the path records."""
    body, flags = b"", 0
    if side is not None:
        flags |= SIDE_IMAGE
        body += struct.pack("<I", len(side)) + side
    if description is not None:
        flags |= DESCRIPTION
        body += struct.pack("<I", len(description)) + description + b"\0"
    if preview is not None:
        flags |= PREVIEW
        body += struct.pack("<I", len(preview)) + preview
    for pattern in patterns:
        body += struct.pack("<I", len(pattern)) + pattern + b"\0"
    count = len(patterns) if file_count is None else file_count
    return struct.pack("<IiII", header_size, count, flags, 16 + len(body)) + body


def trailer(offset, length):
    return struct.pack("<5I", 20, TRAILER_MAGIC, 1, offset, length)


def entry_name(pattern):
    """The entry of a pattern is named without its leading path variable."""
    for variable in (b"%FontDir%", b"%SysDir%", b"%WinDir%", b"%ThemeDir%"):
        if pattern.lower().startswith(variable.lower()):
            return pattern[len(variable):]
    return pattern


def archive(files, head, zip64=False, method=zipfile.ZIP_DEFLATED):
    """Theme files first, PackHead last, as the installer pairs entries with patterns by position."""
    saved = zipfile.ZIP64_LIMIT, zipfile.ZIP_FILECOUNT_LIMIT
    if zip64:
        # Limits of 0 make the writer use every zip64 record: extra fields and the zip64 end records.
        zipfile.ZIP64_LIMIT = zipfile.ZIP_FILECOUNT_LIMIT = 0
    try:
        out = io.BytesIO()
        with zipfile.ZipFile(out, "w", method) as zf:
            for pattern, data in files:
                zf.writestr(entry_name(pattern).decode("latin-1"), data)
            if head is not None:
                zf.writestr("PackHead", head)
        return out.getvalue()
    finally:
        zipfile.ZIP64_LIMIT, zipfile.ZIP_FILECOUNT_LIMIT = saved


def package(payload, stub=b"MZ\x90\0stub"):
    return stub + payload + trailer(len(stub), len(payload))


def font(name, table_length=None, count_extra=0):
    """A TrueType file with one table, 'name': a Windows record first, then the Macintosh full name."""
    records = [(3, 1, 0x409, 4, b"\0W"), (1, 0, 0, 4, name)]
    strings, entries = b"", b""
    for platform, encoding, language, name_id, text in records:
        entries += struct.pack(">6H", platform, encoding, language, name_id, len(text), len(strings))
        strings += text
    table = struct.pack(">3H", 0, len(records) + count_extra, 6 + len(entries)) + entries + strings
    length = len(table) if table_length is None else table_length
    offset = 12 + 16
    directory = struct.pack(">IHHHH", 0x00010000, 1, 16, 0, 0)
    directory += struct.pack(">4sIII", b"name", 0, offset, length)
    return directory + table


def write(folder, name, data):
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


def main(output):
    targets = {name: os.path.join(output, name) for name in ("fuzz_packhead", "fuzz_payload", "fuzz_fontname")}
    for folder in targets.values():
        shutil.rmtree(folder, ignore_errors=True)
        os.makedirs(folder)

    patterns = [b"%ThemeDir%Aurora.theme", b"%ThemeDir%Aurora\\wall.bmp", b"%FontDir%aurora.ttf", b"%WinDir%x.wav"]
    full = pack_head(patterns, bitmap(), b"A calm blue theme.\r\nTwo lines.", bitmap(3, 2))

    # fuzz_packhead: a byte that chooses how reads are cut, then the entry.
    heads = {
        "all_parts": full,
        "no_files": pack_head([], description=b"Nothing to install"),
        "count_beyond_records": pack_head(patterns[:1], file_count=3),
        "wrong_header_size": pack_head(patterns[:1], header_size=15),
        "header_only": full[:16],
        "cut_in_length": full[:18],
        "cut_in_image": full[:40],
        "short": full[:7],
        "with_trailer": full + trailer(0, len(full)),
    }
    for i, (name, data) in enumerate(sorted(heads.items())):
        write(targets["fuzz_packhead"], name, bytes([i * 37 & 0xFF]) + data)
    write(targets["fuzz_packhead"], "trailer_only", b"\x80" + trailer(4, 1000))

    # fuzz_payload: whole packages.
    files = [(p, b"[Theme]\r\nName=Aurora\r\n" * (i + 1)) for i, p in enumerate(patterns)]
    payload = archive(files, full)
    packages = {
        "valid": package(payload),
        "valid_zip64": package(archive(files, full, zip64=True)),
        # Stored entries let mutations reach PackHead's fields directly.
        "valid_stored": package(archive(files, full, method=zipfile.ZIP_STORED)),
        "no_parts": package(archive(files[:1], pack_head(patterns[:1]))),
        "no_files": package(archive([], pack_head([]))),
        "more_patterns_than_entries": package(archive(files[:2], full)),
        "no_packhead": package(archive(files, None)),
        "bad_header": package(archive(files[:1], pack_head(patterns[:1], header_size=20))),
        "payload_past_end": package(payload)[:-20] + trailer(8, len(payload) + 100),
        "archive_cut": package(payload[: len(payload) // 2]),
        "trailer_only": trailer(0, 0),
    }
    for name, data in packages.items():
        write(targets["fuzz_payload"], name, data)

    # fuzz_fontname: TrueType naming tables.
    write(targets["fuzz_fontname"], "mac_full_name", font(b"Aurora Sans"))
    write(targets["fuzz_fontname"], "table_past_end", font(b"Aurora Sans", table_length=4000))
    write(targets["fuzz_fontname"], "count_past_table", font(b"Aurora Sans", count_extra=5))
    write(targets["fuzz_fontname"], "empty_name", font(b""))
    write(targets["fuzz_fontname"], "offset_table_only", font(b"x")[:12])


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__.strip())
    main(sys.argv[1])
