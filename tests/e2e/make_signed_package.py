#!/usr/bin/env python3
"""Writes a small theme package around the installer stub and signs it the
way an author would, with a throwaway certificate: make_signed_package.py
STUB FOLDER leaves package.exe, package-signed.exe and cert.pem in FOLDER."""
import io
import os
import struct
import subprocess
import sys
import zipfile

PATTERNS = ["%ThemeDir%Signed.theme", "%ThemeDir%Signed\\Wallpaper.bmp"]


def pack_head(patterns):
    records = b"".join(struct.pack("<I", len(p)) + p.encode("ascii") + b"\0" for p in patterns)
    size = 16 + len(records)
    return struct.pack("<IiII", 16, len(patterns), 0, size) + records


def main():
    stub_path, folder = sys.argv[1], sys.argv[2]
    os.makedirs(folder, exist_ok=True)
    payload = io.BytesIO()
    with zipfile.ZipFile(payload, "w", zipfile.ZIP_DEFLATED) as archive:
        for pattern in PATTERNS:
            archive.writestr(pattern[len("%ThemeDir%"):], "contents of " + pattern + "\r\n")
        archive.writestr("PackHead", pack_head(PATTERNS))
    stub = open(stub_path, "rb").read()
    data = payload.getvalue()
    trailer = struct.pack("<IIIII", 20, 0x03AF7319, 1, len(stub), len(data))
    package = os.path.join(folder, "package.exe")
    with open(package, "wb") as out:
        out.write(stub + data + trailer)

    key, cert = os.path.join(folder, "key.pem"), os.path.join(folder, "cert.pem")
    subprocess.run(["openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-keyout", key, "-out", cert,
                    "-days", "3650", "-subj", "/CN=Theme package test"], check=True, capture_output=True)
    signed = os.path.join(folder, "package-signed.exe")
    if os.path.exists(signed):
        os.remove(signed)
    subprocess.run(["osslsigncode", "sign", "-certs", cert, "-key", key, "-n", "Signed test theme",
                    "-in", package, "-out", signed], check=True, capture_output=True)


if __name__ == "__main__":
    main()
