"""Draws the installer's two icons, a framed landscape and a painter's palette, as .ico files."""

# Usage: draw_icons.py OUTPUT_FOLDER
# Writes themesetup.ico (the program's icon) and wizard.ico (the wizard's
# title-bar icon), each with 16x16 and 32x32 images in 16 and 256 colours and
# a 48x48 image in 256 colours. Standard library only: the shapes are signed
# distance functions sampled per pixel, and the ICO writer is below.

import math
import os
import struct
import sys

# The 16 colours every display of the era has; the 16-colour images use these
# and nothing else, so they look the same everywhere.
VGA = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, MAROON, GREEN, OLIVE, NAVY, PURPLE, TEAL, SILVER = range(8)
GRAY, RED, LIME, YELLOW, BLUE, FUCHSIA, AQUA, WHITE = range(8, 16)

SUBSAMPLES = 4  # per axis; 16 samples per pixel smooth the 256-colour edges


# Colours: (true colour for the 256-colour images, VGA index for the 16-colour ones).
def paint(rgb, vga):
    return (rgb, vga)


# Signed distances in pixels: negative inside, positive outside.
def box(x, y, left, top, right, bottom, radius=0.0):
    qx = abs(x - (left + right) / 2) - ((right - left) / 2 - radius)
    qy = abs(y - (top + bottom) / 2) - ((bottom - top) / 2 - radius)
    outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
    return outside + min(max(qx, qy), 0.0) - radius


def circle(x, y, cx, cy, r):
    return math.hypot(x - cx, y - cy) - r


def ellipse(x, y, cx, cy, rx, ry):
    # Not an exact distance, but close enough near the edge for one-pixel outlines.
    k = math.hypot((x - cx) / rx, (y - cy) / ry)
    return (k - 1.0) * min(rx, ry)


def segment(x, y, ax, ay, bx, by, r):
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy)))
    return math.hypot(x - ax - t * dx, y - ay - t * dy) - r


class Layer:
    """One filled shape, optionally clipped and outlined; fill may depend on the point.

    The outline is the one-pixel band inside the edge of `edge`, by default the
    shape itself; a clipped shape is not outlined along its clip.
    """

    def __init__(self, shape, fill, outline=None, clip=None, edge=None):
        self.shape, self.fill, self.outline, self.clip = shape, fill, outline, clip
        self.edge = edge or shape

    def colour_at(self, x, y):
        if self.shape(x, y) >= 0 or (self.clip is not None and self.clip(x, y) >= 0):
            return None
        if self.outline is not None and self.edge(x, y) > -1.0:
            return self.outline
        return self.fill(x, y) if callable(self.fill) else self.fill


def landscape(size):
    """The program's icon: a landscape in a gilt frame, wider than high."""
    s = size / 32.0
    small = size < 32  # at 16 pixels inner outlines would swallow the picture
    # Edges on pixel boundaries keep the frame sharp.
    left, right = (0, 16) if small else (1, size - 1)
    top, bottom = round(4 * s), round(28 * s)
    rim = 2 if small else round(3 * s)
    il, it, ir, ib = left + rim, top + rim, right - rim, bottom - rim

    def outer(x, y):
        return box(x, y, left, top, right, bottom)

    def inner(x, y):
        return box(x, y, il, it, ir, ib)

    def frame(x, y):
        return max(outer(x, y), -inner(x, y))

    def gilt(x, y):
        # Lit from the top left: mitred bevel, light on the top and left bars.
        if min(x - left, y - top) < min(right - x, bottom - y):
            return paint((238, 200, 96), YELLOW)
        return paint((168, 118, 36), OLIVE)

    def sky(x, y):
        t = max(0.0, min(1.0, (y - it) / (ib - it)))
        rgb = tuple(int(a + (b - a) * t) for a, b in zip((52, 108, 200), (178, 214, 246)))
        return paint(rgb, BLUE)

    def far_hill(x, y):
        return ellipse(x, y, 22 * s, 27 * s, 14 * s, 10 * s)

    def near_hill(x, y):
        return ellipse(x, y, 8 * s, 30 * s, 16 * s, 10 * s)

    def hill_edge(rgb):
        return None if small else paint(rgb, BLACK)

    return [
        Layer(frame, gilt, paint((56, 36, 8), BLACK), edge=outer if small else frame),
        Layer(near_hill, paint((70, 150, 50), GREEN), hill_edge((30, 80, 20)), inner),
        Layer(far_hill, paint((48, 120, 110), TEAL), hill_edge((20, 70, 60)), inner),
        Layer(lambda x, y: circle(x, y, 11, 7, 2) if small else circle(x, y, 21 * s, 12 * s, 3.2 * s),
              paint((255, 226, 80), YELLOW), None, inner),
        Layer(inner, sky),
    ]


def palette(size):
    """The wizard's icon: a painter's palette with dabs of paint and, when there is room, a brush."""
    s = size / 32.0
    small = size < 32  # at 16 pixels: no thumb hole, no brush, dabs without rims

    def board(x, y):
        if small:
            return max(ellipse(x, y, 8, 8.5, 7, 5.5), -circle(x, y, 14, 13, 3))
        body = ellipse(x, y, 15 * s, 17 * s, 14 * s, 11 * s)
        notch = circle(x, y, 27 * s, 25 * s, 5 * s)
        hole = circle(x, y, 21 * s, 20.5 * s, 2.2 * s)
        return max(body, -notch, -hole)

    red, yellow, green = ((220, 40, 40), RED), ((250, 210, 40), YELLOW), ((40, 170, 60), LIME)
    blue, white = ((50, 90, 220), BLUE), ((250, 250, 250), WHITE)
    if small:
        # Two-by-two dabs, centred on pixel corners.
        dabs = [((4, 7), red), ((7, 5), yellow), ((10, 5), green), ((12, 8), blue), ((5, 11), white)]
        r = 1.2
    else:
        dabs = [((8 * s, 12 * s), red), ((13.5 * s, 9 * s), yellow), ((19 * s, 9 * s), green),
                ((24 * s, 12 * s), blue), ((8 * s, 19.5 * s), white)]
        r = 2.4 * s
    layers = []
    if not small:
        # The brush lies across the board: wooden handle, metal ferrule, red tip.
        layers += [
            Layer(lambda x, y: segment(x, y, 28 * s, 3 * s, 22 * s, 9 * s, 1.6 * s),
                  paint((110, 60, 30), MAROON), paint((50, 25, 10), BLACK)),
            Layer(lambda x, y: segment(x, y, 22 * s, 9 * s, 19.5 * s, 11.5 * s, 1.6 * s),
                  paint((200, 200, 210), SILVER), paint((70, 70, 80), BLACK)),
            Layer(lambda x, y: segment(x, y, 19.5 * s, 11.5 * s, 16.5 * s, 15.5 * s, 1.2 * s),
                  paint((200, 30, 30), RED), paint((90, 10, 10), BLACK)),
        ]
    for (cx, cy), (rgb, vga) in dabs:
        rim = None if small else paint(tuple(c // 2 for c in rgb), BLACK if vga != WHITE else GRAY)
        layers.append(Layer(lambda x, y, cx=cx, cy=cy: circle(x, y, cx, cy, r),
                            paint(rgb, vga), rim))
    # Tan has no match among the 16 colours; silver is the nearest.
    layers.append(Layer(board, paint((222, 184, 128), SILVER), paint((112, 76, 34), BLACK)))
    return layers


def render(layers, size):
    """Rows of pixels, top row first: (rgb, vga) or None for a transparent pixel."""
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            hits = []
            for sy in range(SUBSAMPLES):
                for sx in range(SUBSAMPLES):
                    x = px + (sx + 0.5) / SUBSAMPLES
                    y = py + (sy + 0.5) / SUBSAMPLES
                    hits.append(next((c for c in (l.colour_at(x, y) for l in layers) if c), None))
            opaque = [h for h in hits if h is not None]
            if len(opaque) * 2 < len(hits):
                row.append(None)
                continue
            rgb = tuple(sum(h[0][i] for h in opaque) // len(opaque) for i in range(3))
            # The 16-colour image takes the commonest colour, so edges stay crisp.
            vga = max(set(h[1] for h in opaque), key=[h[1] for h in opaque].count)
            row.append((rgb, vga))
        rows.append(row)
    return rows


def nearest(colours, rgb):
    return min(range(len(colours)), key=lambda i: sum((a - b) ** 2 for a, b in zip(colours[i], rgb)))


def indexed(rows, bits):
    """A palette of 2**bits colours and the rows as indices into it."""
    if bits == 4:
        return VGA, [[p[1] if p else 0 for p in row] for row in rows]
    # Popularity palette: group similar colours, keep the commonest groups.
    groups = {}
    for row in rows:
        for p in row:
            if p:
                key = tuple(c >> 3 for c in p[0])
                groups.setdefault(key, []).append(p[0])
    ranked = sorted(groups.values(), key=len, reverse=True)[:255]
    colours = [(0, 0, 0)] + [tuple(sum(c[i] for c in g) // len(g) for i in range(3)) for g in ranked]
    cache = {}
    out = []
    for row in rows:
        line = []
        for p in row:
            if p is None:
                line.append(0)
            else:
                if p[0] not in cache:
                    cache[p[0]] = nearest(colours[1:], p[0]) + 1
                line.append(cache[p[0]])
        out.append(line)
    return colours + [(0, 0, 0)] * (256 - len(colours)), out


def dib(rows, bits):
    """One icon image: BITMAPINFOHEADER of double height, palette, XOR pixels, AND mask."""
    size = len(rows)
    colours, pixels = indexed(rows, bits)
    xor_stride = ((size * bits + 31) // 32) * 4
    and_stride = ((size + 31) // 32) * 4
    xor = bytearray()
    mask = bytearray()
    for y in reversed(range(size)):  # bottom-up, as DIBs are stored
        line = bytearray(xor_stride)
        bits_line = bytearray(and_stride)
        for x in range(size):
            if bits == 8:
                line[x] = pixels[y][x]
            else:
                line[x // 2] |= pixels[y][x] << (4 if x % 2 == 0 else 0)
            if rows[y][x] is None:
                bits_line[x // 8] |= 0x80 >> (x % 8)
        xor += line
        mask += bits_line
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bits, 0,
                         len(xor) + len(mask), 0, 0, 0, 0)
    quads = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in colours)
    return header + quads + bytes(xor) + bytes(mask)


def write_icon(path, scene, formats):
    images = [(size, bits, dib(render(scene(size), size), bits)) for size, bits in formats]
    data = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for size, bits, image in images:
        colour_count = 16 if bits == 4 else 0  # 0 means 256 or more
        data += struct.pack("<BBBBHHII", size, size, colour_count, 0, 1, bits, len(image), offset)
        offset += len(image)
    for _, _, image in images:
        data += image
    # Write beside and rename, so an interrupted build leaves no half icon.
    with open(path + ".tmp", "wb") as f:
        f.write(data)
    os.replace(path + ".tmp", path)


FORMATS = [(16, 4), (32, 4), (16, 8), (32, 8), (48, 8)]


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: draw_icons.py OUTPUT_FOLDER")
    folder = sys.argv[1]
    os.makedirs(folder, exist_ok=True)
    write_icon(os.path.join(folder, "themesetup.ico"), landscape, FORMATS)
    write_icon(os.path.join(folder, "wizard.ico"), palette, FORMATS)


if __name__ == "__main__":
    main()
