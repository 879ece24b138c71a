"""The benchmark's theme files: bitmaps (compressible), sounds and random data, made once and cached."""
import math
import random
import shutil
import struct
from pathlib import Path

# Bumped whenever the files below change, so cached copies are made again.
VERSION = "1"
MB = 1_000_000


def bitmap(rng, size):
    """A 24-bit BMP of smooth, shifted rows with one byte in sixteen random: compresses about as photos do."""
    width = 256 if size > 64 * 1024 else 16
    row = width * 3
    height = max(1, (size - 54) // row)
    base = bytes((x * 3 + (x >> 5) * 17) & 255 for x in range(row * 2))
    pixels = bytearray(b"".join(base[(y * 3) % row:(y * 3) % row + row] for y in range(height)))
    pixels[::16] = rng.randbytes(len(pixels[::16]))
    header = struct.pack("<2sIHHIIiiHHIIiiII", b"BM", 54 + len(pixels), 0, 0, 54, 40, width, height, 1, 24, 0,
                         len(pixels), 2835, 2835, 0, 0)
    return header + pixels


def sound(rng, size):
    """16-bit mono PCM: a tone in the high bytes, noise in the low ones, as recorded sound is."""
    count = max(1, (size - 44) // 2)
    period = bytes(int(100 * math.sin(2 * math.pi * i / 100)) & 255 for i in range(100))
    samples = bytearray(count * 2)
    samples[0::2] = rng.randbytes(count)
    samples[1::2] = (period * (count // 100 + 1))[:count]
    header = struct.pack("<4sI4s4sIHHIIHH4sI", b"RIFF", 36 + len(samples), b"WAVE", b"fmt ", 16, 1, 1, 22050,
                         44100, 2, 16, b"data", len(samples))
    return header + samples


def noise(rng, size):
    return rng.randbytes(size)


KINDS = [("bmp", bitmap), ("wav", sound), ("dat", noise)]


def few_files(name, total, count):
    """count files of about total / count bytes each, the kinds in turn."""
    return [(f"{name}{i:02}.{KINDS[i % 3][0]}", KINDS[i % 3][1], total // count) for i in range(count)]


def many_files(count):
    """count files of 1 to 20 KB in folders of 100, the kinds in turn."""
    rng = random.Random("sizes")
    return [(f"d{i // 100:02}/f{i:04}.{KINDS[i % 3][0]}", KINDS[i % 3][1], rng.randint(1024, 20 * 1024))
            for i in range(count)]


# name, what it is, its files (relative path, maker, size)
SETS = [
    ("1MB", "12 files", few_files("small", 1 * MB, 12)),
    ("50MB", "5,000 files of 1-20 KB", many_files(5000)),
    ("500MB", "8 large files", few_files("large", 500 * MB, 8)),
]


def ensure(folder, files):
    """Makes the files under folder unless a complete copy of this version is there; returns their paths, sorted."""
    folder = Path(folder)
    stamp = folder.with_name(folder.name + ".complete")
    if not stamp.is_file() or stamp.read_text() != VERSION:
        shutil.rmtree(folder, ignore_errors=True)
        stamp.unlink(missing_ok=True)
        for relative, maker, size in files:
            path = folder / relative
            path.parent.mkdir(parents=True, exist_ok=True)
            path.write_bytes(maker(random.Random(relative), size))
        stamp.write_text(VERSION)
    return sorted(folder / relative for relative, _, _ in files)
