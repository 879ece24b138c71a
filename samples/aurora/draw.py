#!/usr/bin/env python3
"""Draws the sample theme's pictures and sound into a folder: the wallpaper,
the wizard's side image, the preview picture and a start-up chime."""
import math
import struct
import sys
import wave


def write_bmp(path, width, height, pixel):
    """24-bit bottom-up Windows bitmap; pixel(x, y) gives (r, g, b), y from the top."""
    row_size = (width * 3 + 3) & ~3
    image_size = row_size * height
    with open(path, "wb") as f:
        f.write(b"BM" + struct.pack("<IHHI", 14 + 40 + image_size, 0, 0, 14 + 40))
        f.write(struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, image_size, 2835, 2835, 0, 0))
        padding = b"\0" * (row_size - width * 3)
        for y in range(height - 1, -1, -1):
            row = bytearray()
            for x in range(width):
                r, g, b = pixel(x, y)
                row += bytes((b, g, r))
            f.write(bytes(row) + padding)


def clamp(v):
    return max(0, min(255, int(v)))


def aurora(width, height):
    """Night sky with green and violet curtains of light."""
    def pixel(x, y):
        u, v = x / width, y / height
        sky = (8 + 20 * v, 12 + 24 * v, 40 + 50 * v)
        curtain = math.exp(-((v - 0.35 - 0.12 * math.sin(u * 9.0)) ** 2) / 0.012)
        violet = math.exp(-((v - 0.22 - 0.08 * math.sin(u * 5.0 + 1.3)) ** 2) / 0.006)
        shimmer = 0.6 + 0.4 * math.sin(u * 60.0 + v * 8.0)
        star = 255 if ((x * 73856093) ^ (y * 19349663)) % 1499 == 0 and v < 0.6 else 0
        r = sky[0] + 150 * violet * shimmer + star
        g = sky[1] + 220 * curtain * shimmer + 40 * violet + star
        b = sky[2] + 90 * curtain + 170 * violet * shimmer + star
        if v > 0.82:  # dark hills
            hill = 0.82 + 0.05 * math.sin(u * 7.0)
            if v > hill:
                r, g, b = 6, 10 + 10 * (1 - v), 12
        return clamp(r), clamp(g), clamp(b)
    return pixel


def write_chime(path, seconds=1.2, rate=22050):
    notes = (523.25, 659.25, 783.99)
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(rate)
        frames = bytearray()
        for i in range(int(seconds * rate)):
            t = i / rate
            s = sum(math.sin(2 * math.pi * f * t) * math.exp(-3 * max(0.0, t - k * 0.15)) * (t >= k * 0.15)
                    for k, f in enumerate(notes))
            frames += struct.pack("<h", int(9000 * s))
        w.writeframes(bytes(frames))


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else "."
    write_bmp(f"{out}/Aurora wallpaper.bmp", 640, 480, aurora(640, 480))
    write_bmp(f"{out}/side.bmp", 120, 292, aurora(120, 292))
    write_bmp(f"{out}/preview.bmp", 300, 225, aurora(300, 225))
    write_chime(f"{out}/Aurora start.wav")


if __name__ == "__main__":
    main()
