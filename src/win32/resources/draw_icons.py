#!/usr/bin/env python3
"""Draws the program's icon (a blue tile with a segment display and a quill, 16 to 256 pixels)
and the about box's logo, and writes them as .ico files for the resource compiler; optionally
PNG copies to look at. Standard library only, so both builds can run it."""

import argparse
import math
import pathlib
import struct
import zlib

ICON_SIZES = [16, 20, 24, 32, 40, 48, 64, 96, 128, 256]
LOGO_SIZE = 256

# Colours of the program's own panel: lime digits over dark red unlit segments on black.
LIME = (0x00, 0xFF, 0x00, 1.0)
UNLIT = (0x3A, 0x00, 0x00, 1.0)
DISPLAY = (0x05, 0x05, 0x05, 1.0)


class Canvas:
    """Premultiplied RGBA floats, painted with anti-aliased polygons (non-zero winding)."""

    SUB = 5  # sub-scanlines per pixel row

    def __init__(self, size):
        self.w = self.h = size
        self.px = [[0.0, 0.0, 0.0, 0.0] for _ in range(size * size)]

    def fill(self, polygons, paint, opacity=1.0):
        if polygons and isinstance(polygons[0][0], (int, float)):
            polygons = [polygons]
        edges = []
        for poly in polygons:
            for i, (x0, y0) in enumerate(poly):
                x1, y1 = poly[(i + 1) % len(poly)]
                if y0 != y1:
                    edges.append((x0, y0, x1, y1))
        if not edges:
            return
        top = max(0, int(math.floor(min(min(e[1], e[3]) for e in edges))))
        bottom = min(self.h, int(math.ceil(max(max(e[1], e[3]) for e in edges))))
        for y in range(top, bottom):
            cov = [0.0] * (self.w + 1)
            for k in range(self.SUB):
                sy = y + (k + 0.5) / self.SUB
                xs = []
                for x0, y0, x1, y1 in edges:
                    if (y0 <= sy < y1) or (y1 <= sy < y0):
                        x = x0 + (sy - y0) * (x1 - x0) / (y1 - y0)
                        xs.append((x, 1 if y1 > y0 else -1))
                xs.sort()
                wind = 0
                for i, (x, d) in enumerate(xs):
                    was = wind
                    wind += d
                    if was == 0 and wind != 0:
                        start = x
                    elif was != 0 and wind == 0:
                        self._span(cov, start, x)
            for x in range(self.w):
                c = cov[x]
                if c <= 0.0:
                    continue
                r, g, b, a = paint(x + 0.5, y + 0.5)
                a *= min(c, 1.0) * opacity
                if a <= 0.0:
                    continue
                p = self.px[y * self.w + x]
                keep = 1.0 - a
                p[0] = r / 255.0 * a + p[0] * keep
                p[1] = g / 255.0 * a + p[1] * keep
                p[2] = b / 255.0 * a + p[2] * keep
                p[3] = a + p[3] * keep

    def _span(self, cov, x0, x1):
        share = 1.0 / self.SUB
        x0 = max(0.0, min(float(self.w), x0))
        x1 = max(0.0, min(float(self.w), x1))
        if x1 <= x0:
            return
        i0, i1 = int(x0), int(x1)
        if i0 == i1:
            cov[i0] += (x1 - x0) * share
            return
        cov[i0] += (i0 + 1 - x0) * share
        for i in range(i0 + 1, i1):
            cov[i] += share
        if i1 < self.w:
            cov[i1] += (x1 - i1) * share

    def rgba8(self):
        """Straight (not premultiplied) RGBA bytes, rows top-down."""
        out = bytearray()
        for r, g, b, a in self.px:
            if a <= 0.0:
                out += b"\0\0\0\0"
                continue
            out += bytes((min(255, round(r / a * 255)), min(255, round(g / a * 255)),
                          min(255, round(b / a * 255)), min(255, round(a * 255))))
        return bytes(out)


# -- paints and shapes ------------------------------------------------------------------------

def solid(colour):
    return lambda x, y: colour


def vertical(y0, c0, y1, c1):
    def paint(x, y):
        t = max(0.0, min(1.0, (y - y0) / (y1 - y0)))
        return tuple(c0[i] + (c1[i] - c0[i]) * t for i in range(4))
    return paint


def along(p0, c0, p1, c1):
    dx, dy = p1[0] - p0[0], p1[1] - p0[1]
    length2 = dx * dx + dy * dy

    def paint(x, y):
        t = max(0.0, min(1.0, ((x - p0[0]) * dx + (y - p0[1]) * dy) / length2))
        return tuple(c0[i] + (c1[i] - c0[i]) * t for i in range(4))
    return paint


def radial(cx, cy, rx, ry, c0, c1):
    def paint(x, y):
        t = min(1.0, math.hypot((x - cx) / rx, (y - cy) / ry))
        return tuple(c0[i] + (c1[i] - c0[i]) * t for i in range(4))
    return paint


def rounded_rect(x0, y0, x1, y1, r):
    r = max(0.0, min(r, (x1 - x0) / 2, (y1 - y0) / 2))
    pts = []
    steps = 10
    for cx, cy, start in ((x1 - r, y0 + r, -90), (x1 - r, y1 - r, 0), (x0 + r, y1 - r, 90),
                          (x0 + r, y0 + r, 180)):
        for i in range(steps + 1):
            a = math.radians(start + 90 * i / steps)
            pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    return pts


def ellipse(cx, cy, rx, ry, n=72):
    return [(cx + rx * math.cos(2 * math.pi * i / n), cy + ry * math.sin(2 * math.pi * i / n))
            for i in range(n)]


def cubic(p0, p1, p2, p3, n=24):
    pts = []
    for i in range(n + 1):
        t = i / n
        u = 1 - t
        pts.append((u ** 3 * p0[0] + 3 * u * u * t * p1[0] + 3 * u * t * t * p2[0] + t ** 3 * p3[0],
                    u ** 3 * p0[1] + 3 * u * u * t * p1[1] + 3 * u * t * t * p2[1] + t ** 3 * p3[1]))
    return pts


def thick_line(p0, p1, w0, w1):
    """A quadrilateral from p0 to p1, w0 wide at p0 and w1 wide at p1."""
    dx, dy = p1[0] - p0[0], p1[1] - p0[1]
    n = math.hypot(dx, dy) or 1.0
    nx, ny = -dy / n, dx / n
    return [(p0[0] + nx * w0 / 2, p0[1] + ny * w0 / 2), (p1[0] + nx * w1 / 2, p1[1] + ny * w1 / 2),
            (p1[0] - nx * w1 / 2, p1[1] - ny * w1 / 2), (p0[0] - nx * w0 / 2, p0[1] - ny * w0 / 2)]


# Seven segments a..g of one digit cell; which are lit for each character.
LIT = {"8": "abcdefg", "1": "bc", "2": "abdeg", "4": "bcfg", "0": "abcdef", "7": "abc"}


def segments(x, y, w, h, t):
    """Hexagonal segments of a cell at (x, y), w x h, segment thickness t."""
    g = t * 0.18  # the small gap between neighbouring segments
    half = t / 2
    mid = y + h / 2

    def horizontal(cy):
        xa, xb = x + g + half, x + w - g - half
        return [(xa - half, cy), (xa, cy - half), (xb, cy - half), (xb + half, cy), (xb, cy + half),
                (xa, cy + half)]

    def upright(cx, ya, yb):
        ya, yb = ya + g + half, yb - g - half
        return [(cx, ya - half), (cx + half, ya), (cx + half, yb), (cx, yb + half), (cx - half, yb),
                (cx - half, ya)]

    left, right = x + half, x + w - half
    top, bottom = y + half, y + h - half
    return {
        "a": horizontal(top), "g": horizontal(mid), "d": horizontal(bottom),
        "f": upright(left, top, mid), "b": upright(right, top, mid),
        "e": upright(left, mid, bottom), "c": upright(right, mid, bottom),
    }


def digit(canvas, ch, x, y, w, h, t):
    for name, poly in segments(x, y, w, h, t).items():
        canvas.fill(poly, solid(LIME if name in LIT.get(ch, "") else UNLIT))


def quill(canvas, nib, tip, width, detailed):
    """A white feather from its nib (writing end) to its tip."""
    nx, ny = nib
    tx, ty = tip
    length = math.hypot(tx - nx, ty - ny)
    ux, uy = (tx - nx) / length, (ty - ny) / length  # along the shaft
    px, py = uy, -ux  # across it (to the shaft's right when looking at the tip)

    def at(s, across):
        return (nx + ux * s * length + px * across * width, ny + uy * s * length + py * across * width)

    # The vane: wider on one side, narrowing to a rounded tip; it starts a quarter up the shaft.
    right = cubic(at(0.26, 0.0), at(0.40, 0.95), at(0.85, 0.80), at(1.0, 0.0))
    left = cubic(at(1.0, 0.0), at(0.88, -0.55), at(0.45, -0.75), at(0.30, 0.0))
    vane = right + left[1:]
    edge = (0x2C, 0x4A, 0x6E, 1.0)
    if detailed:
        # A thin dark edge first, then the vane inside it.
        canvas.fill(vane, solid(edge))
        canvas.fill(_inset(vane, max(0.7, width * 0.06)),
                    along(at(0.6, 0.8), (0xFF, 0xFF, 0xFF, 1.0), at(0.6, -0.7),
                          (0xD4, 0xE2, 0xF0, 1.0)))
        # A few barbs: notches of the vane's edge drawn as thin darker strokes.
        for s in (0.52, 0.68, 0.82):
            canvas.fill(thick_line(at(s, 0.05), at(s + 0.08, 0.62), width * 0.035, width * 0.01),
                        solid((0xB8, 0xCA, 0xDE, 1.0)))
        canvas.fill(thick_line(at(0.24, 0.0), at(0.98, 0.0), width * 0.11, width * 0.03),
                    solid((0x9C, 0xAE, 0xC4, 1.0)))
    else:
        canvas.fill(vane, solid((0xFF, 0xFF, 0xFF, 1.0)))
    # The barrel and the cut nib.
    canvas.fill(thick_line(at(0.07, 0.0), at(0.27, 0.0), width * 0.20, width * 0.16),
                solid((0xE8, 0xD9, 0xB0, 1.0)))
    canvas.fill([at(0.0, 0.0), at(0.09, 0.12), at(0.09, -0.12)], solid((0x10, 0x10, 0x10, 1.0)))


def _inset(poly, d):
    """The outline moved `d` inwards along the normals of its edges."""
    area = sum(x0 * y1 - x1 * y0 for (x0, y0), (x1, y1) in zip(poly, poly[1:] + poly[:1]))
    sign = 1.0 if area > 0 else -1.0
    out = []
    n = len(poly)
    for i, (x, y) in enumerate(poly):
        (xa, ya), (xb, yb) = poly[i - 1], poly[(i + 1) % n]
        dx, dy = xb - xa, yb - ya
        length = math.hypot(dx, dy) or 1.0
        # For a counter-clockwise outline (in y-down coordinates, a positive area) the inside
        # is to the right of the direction of travel.
        out.append((x - dy / length * d * sign, y + dx / length * d * sign))
    return out


def snap(v):
    return float(round(v))


def tile(c, s, x0, y0, x1, y1):
    """The program's blue panel as a rounded tile with a darker rim and a soft top light."""
    r = s * 0.18
    rim = max(1.0, s * 0.014)
    c.fill(rounded_rect(x0, y0, x1, y1, r), solid((0x1B, 0x55, 0x9C, 1.0)))
    c.fill(rounded_rect(x0 + rim, y0 + rim, x1 - rim, y1 - rim, r - rim),
           vertical(y0, (0x86, 0xC8, 0xFF, 1.0), y1, (0x24, 0x78, 0xD6, 1.0)))
    if s >= 32:
        c.fill(rounded_rect(x0 + rim * 2, y0 + rim * 2, x1 - rim * 2, y0 + (y1 - y0) * 0.42,
                            r - rim * 2), solid((0xFF, 0xFF, 0xFF, 0.16)))


def display(c, s, x0, y0, x1, y1, text):
    r = max(1.0, s * 0.05)
    c.fill(rounded_rect(x0, y0, x1, y1, r), solid((0x0D, 0x2A, 0x4A, 1.0)))
    edge = max(1.0, s * 0.012)
    c.fill(rounded_rect(x0 + edge, y0 + edge, x1 - edge, y1 - edge, r - edge), solid(DISPLAY))
    # A "." lights the decimal point at the bottom right of the digit before it.
    points = {i - 1 - text[:i].count(".") for i, ch in enumerate(text) if ch == "."}
    text = text.replace(".", "")
    n = len(text)
    pad_x = max(1.0, (x1 - x0) * (0.14 if n > 1 else 0.26))
    pad_y = max(1.0, (y1 - y0) * 0.16)
    gap = (x1 - x0) * 0.08 if n > 1 else 0.0
    cw = (x1 - x0 - 2 * pad_x - gap * (n - 1)) / n
    ch = y1 - y0 - 2 * pad_y
    t = max(1.0, cw * 0.22)
    for i, character in enumerate(text):
        x = x0 + pad_x + i * (cw + gap)
        digit(c, character, x, y0 + pad_y, cw, ch, t)
        if i in points:
            c.fill(ellipse(x + cw + gap / 2, y0 + pad_y + ch - t / 2, t * 0.6, t * 0.6, 24),
                   solid(LIME))


def draw_icon(s):
    c = Canvas(s)
    if s < 32:
        # Small sizes: the tile and one large digit, edges on whole pixels.
        m = snap(max(0.0, s * 0.03))
        tile(c, s, m, m, s - m, s - m)
        d = snap(s * 0.19)
        display(c, s, d, d, s - d, s - d + snap(s * 0.04), "8")
        return c
    m = snap(s * 0.035)
    tile(c, s, m, m + snap(s * 0.02), s - m - snap(s * 0.06), s - m)
    display(c, s, snap(s * 0.13), snap(s * 0.50), snap(s * 0.82), snap(s * 0.87), "42")
    quill(c, (s * 0.40, s * 0.52), (s * 0.965, s * 0.035), s * 0.13, s >= 48)
    return c


def draw_logo(s, version):
    c = Canvas(s)
    c.fill(ellipse(s * 0.47, s * 0.93, s * 0.42, s * 0.05),
           radial(s * 0.47, s * 0.93, s * 0.42, s * 0.05, (0x40, 0x30, 0x00, 0.35),
                  (0x40, 0x30, 0x00, 0.0)))
    tile(c, s, s * 0.04, s * 0.22, s * 0.84, s * 0.92)
    display(c, s, s * 0.11, s * 0.50, s * 0.77, s * 0.84, version)
    quill(c, (s * 0.36, s * 0.50), (s * 0.985, s * 0.015), s * 0.16, True)
    return c


# -- file formats ---------------------------------------------------------------------------

def png(size, rgba):
    raw = b"".join(b"\0" + rgba[y * size * 4:(y + 1) * size * 4] for y in range(size))

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def dib(size, rgba):
    """A 32-bit icon image: BITMAPINFOHEADER (double height), BGRA rows bottom-up, AND mask."""
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    rows = []
    for y in reversed(range(size)):
        row = rgba[y * size * 4:(y + 1) * size * 4]
        rows.append(bytes(b for i in range(0, len(row), 4)
                          for b in (row[i + 2], row[i + 1], row[i], row[i + 3])))
    stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for y in reversed(range(size)):
        bits = bytearray(stride)
        for x in range(size):
            if rgba[(y * size + x) * 4 + 3] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + b"".join(rows) + bytes(mask)


def ico(images):
    """`images`: (size, rgba). Sizes of 256 are stored as PNG, smaller ones as DIBs."""
    entries, blobs = [], []
    offset = 6 + 16 * len(images)
    for size, rgba in images:
        blob = png(size, rgba) if size >= 256 else dib(size, rgba)
        entries.append(struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(blob),
                                   offset))
        blobs.append(blob)
        offset += len(blob)
    return struct.pack("<HHH", 0, 1, len(images)) + b"".join(entries) + b"".join(blobs)


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--icon", required=True, help="the program's .ico to write")
    parser.add_argument("--logo", required=True, help="the logo's .ico to write (one 256 image)")
    parser.add_argument("--png-dir", help="also write every image as PNG here")
    parser.add_argument("--version", required=True, help="the version the logo's display shows")
    args = parser.parse_args()

    icons = [(s, draw_icon(s).rgba8()) for s in ICON_SIZES]
    logo = draw_logo(LOGO_SIZE, args.version).rgba8()
    for path, data in ((args.icon, ico(icons)), (args.logo, ico([(LOGO_SIZE, logo)]))):
        target = pathlib.Path(path)
        target.parent.mkdir(parents=True, exist_ok=True)
        temporary = target.with_suffix(target.suffix + ".part")
        temporary.write_bytes(data)
        temporary.replace(target)
    if args.png_dir:
        folder = pathlib.Path(args.png_dir)
        folder.mkdir(parents=True, exist_ok=True)
        for size, rgba in icons:
            (folder / f"icon_{size}.png").write_bytes(png(size, rgba))
        (folder / "logo.png").write_bytes(png(LOGO_SIZE, logo))


if __name__ == "__main__":
    main()
