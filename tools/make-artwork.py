#!/usr/bin/env python3
"""Draws KIVO's own artwork into resources/: the tool-button glyphs (normal and disabled),
the application icon and the splash logo (a 118 x 109 JFIF picture).

Shapes are drawn by a tiny supersampling rasteriser and written as PNG with the standard
library only; the logo is then lettered and saved as JPEG by ImageMagick's `convert`.
Run from anywhere: python3 tools/make-artwork.py
"""
import math
import os
import struct
import subprocess
import tempfile
import zlib

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
OUT = os.path.join(ROOT, "resources")
FONT = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"
SAMPLES = 4


class Canvas:
    """Unit-square drawing: shapes take coordinates in 0..1, painted in order."""

    def __init__(self):
        self.shapes = []

    def add(self, inside, colour):
        self.shapes.append((inside, colour))

    def rect(self, x0, y0, x1, y1, colour):
        self.add(lambda x, y: x0 <= x <= x1 and y0 <= y <= y1, colour)

    def frame(self, x0, y0, x1, y1, w, colour):
        self.add(lambda x, y: x0 <= x <= x1 and y0 <= y <= y1 and not (
            x0 + w < x < x1 - w and y0 + w < y < y1 - w), colour)

    def circle(self, cx, cy, r, colour):
        self.add(lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r, colour)

    def ring(self, cx, cy, r0, r1, a0, a1, colour):
        def inside(x, y):
            d = math.hypot(x - cx, y - cy)
            a = math.degrees(math.atan2(cy - y, x - cx)) % 360
            return r0 <= d <= r1 and a0 <= a <= a1
        self.add(inside, colour)

    def sector(self, cx, cy, r, a0, a1, colour):
        self.ring(cx, cy, 0, r, a0, a1, colour)

    def polygon(self, points, colour):
        def inside(x, y):
            hit = False
            j = len(points) - 1
            for i, (xi, yi) in enumerate(points):
                xj, yj = points[j]
                if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                    hit = not hit
                j = i
            return hit
        self.add(inside, colour)

    def render(self, w, h, background=(0, 0, 0, 0)):
        rows = []
        for py in range(h):
            row = []
            for px in range(w):
                acc = [0.0, 0.0, 0.0, 0.0]
                for sy in range(SAMPLES):
                    for sx in range(SAMPLES):
                        x = (px + (sx + 0.5) / SAMPLES) / w
                        y = (py + (sy + 0.5) / SAMPLES) / h
                        c = background
                        for inside, colour in self.shapes:
                            if inside(x, y):
                                c = colour
                        a = c[3] / 255.0
                        for k in range(3):
                            acc[k] += c[k] * a
                        acc[3] += a
                n = SAMPLES * SAMPLES
                alpha = acc[3] / n
                rgb = [acc[k] / acc[3] if acc[3] else 0 for k in range(3)]
                row.append(tuple(int(round(v)) for v in rgb) + (int(round(alpha * 255)),))
            rows.append(row)
        return rows


def write_png(path, rows):
    h, w = len(rows), len(rows[0])
    raw = b"".join(b"\0" + bytes(v for px in row for v in px) for row in rows)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n")
        f.write(chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 6, 0, 0, 0)))
        f.write(chunk(b"IDAT", zlib.compress(raw, 9)))
        f.write(chunk(b"IEND", b""))


def disabled(rows):
    """Grey, lighter image with a white offset shadow: the classic disabled glyph."""
    h, w = len(rows), len(rows[0])
    out = [[(0, 0, 0, 0)] * w for _ in range(h)]
    for y in range(h):
        for x in range(w):
            if rows[y][x][3] > 96 and x + 1 < w and y + 1 < h:
                out[y + 1][x + 1] = (255, 255, 255, 255)
    for y in range(h):
        for x in range(w):
            r, g, b, a = rows[y][x]
            if a > 96:
                lum = int(0.3 * r + 0.59 * g + 0.11 * b)
                grey = 128 if lum < 200 else 192
                out[y][x] = (grey, grey, grey, 255)
    return out


INK = (40, 40, 40, 255)
WHITE = (255, 255, 255, 255)
PAPER = (250, 250, 245, 255)
YELLOW = (240, 200, 60, 255)
BLUE = (40, 90, 170, 255)
RED = (200, 50, 40, 255)
GREEN = (60, 150, 70, 255)
BROWN = (140, 90, 40, 255)


def blank_page():
    c = Canvas()
    c.polygon([(0.2, 0.05), (0.62, 0.05), (0.82, 0.25), (0.82, 0.95), (0.2, 0.95)], INK)
    c.polygon([(0.25, 0.1), (0.58, 0.1), (0.77, 0.29), (0.77, 0.9), (0.25, 0.9)], PAPER)
    c.polygon([(0.58, 0.05), (0.82, 0.29), (0.58, 0.29)], INK)
    return c


def open_folder():
    c = Canvas()
    c.polygon([(0.05, 0.2), (0.35, 0.2), (0.42, 0.3), (0.8, 0.3), (0.8, 0.85), (0.05, 0.85)], INK)
    c.polygon([(0.09, 0.25), (0.33, 0.25), (0.4, 0.35), (0.76, 0.35), (0.76, 0.8), (0.09, 0.8)],
              YELLOW)
    c.polygon([(0.2, 0.45), (0.98, 0.45), (0.8, 0.85), (0.05, 0.85)], INK)
    c.polygon([(0.23, 0.5), (0.91, 0.5), (0.77, 0.8), (0.12, 0.8)], (250, 225, 120, 255))
    return c


def diskette():
    c = Canvas()
    c.rect(0.1, 0.1, 0.9, 0.9, INK)
    c.rect(0.15, 0.15, 0.85, 0.85, BLUE)
    c.rect(0.28, 0.15, 0.72, 0.42, WHITE)
    c.rect(0.58, 0.2, 0.66, 0.38, INK)
    c.rect(0.25, 0.55, 0.75, 0.85, (200, 200, 200, 255))
    return c


def tool_case():
    c = Canvas()
    c.frame(0.35, 0.12, 0.65, 0.3, 0.06, INK)
    c.rect(0.08, 0.28, 0.92, 0.88, INK)
    c.rect(0.12, 0.32, 0.88, 0.84, (180, 60, 50, 255))
    c.rect(0.12, 0.52, 0.88, 0.58, INK)
    c.rect(0.44, 0.48, 0.56, 0.62, YELLOW)
    return c


def card_index():
    c = Canvas()
    c.rect(0.05, 0.2, 0.95, 0.92, INK)
    c.rect(0.1, 0.25, 0.9, 0.87, PAPER)
    c.rect(0.55, 0.08, 0.85, 0.25, INK)
    c.rect(0.6, 0.12, 0.8, 0.25, PAPER)
    c.circle(0.3, 0.48, 0.1, BLUE)
    c.rect(0.18, 0.62, 0.42, 0.78, BLUE)
    c.rect(0.5, 0.42, 0.82, 0.48, INK)
    c.rect(0.5, 0.57, 0.82, 0.63, INK)
    c.rect(0.5, 0.72, 0.75, 0.78, INK)
    return c


def table_grid():
    c = Canvas()
    c.rect(0.05, 0.08, 0.95, 0.92, INK)
    c.rect(0.1, 0.13, 0.9, 0.87, WHITE)
    c.rect(0.1, 0.13, 0.9, 0.3, BLUE)
    for y in (0.47, 0.65):
        c.rect(0.05, y - 0.03, 0.95, y + 0.02, INK)
    for x in (0.37, 0.64):
        c.rect(x - 0.03, 0.08, x + 0.02, 0.92, INK)
    return c


def pie_chart():
    c = Canvas()
    c.circle(0.5, 0.5, 0.46, INK)
    c.sector(0.5, 0.5, 0.41, 0, 130, RED)
    c.sector(0.5, 0.5, 0.41, 130, 250, BLUE)
    c.sector(0.5, 0.5, 0.41, 250, 360, GREEN)
    return c


def printer():
    c = Canvas()
    c.rect(0.25, 0.05, 0.75, 0.45, INK)
    c.rect(0.3, 0.1, 0.7, 0.45, PAPER)
    c.rect(0.05, 0.38, 0.95, 0.78, INK)
    c.rect(0.1, 0.43, 0.9, 0.73, (190, 190, 185, 255))
    c.rect(0.72, 0.5, 0.82, 0.58, GREEN)
    c.rect(0.22, 0.62, 0.78, 0.95, INK)
    c.rect(0.27, 0.67, 0.73, 0.9, PAPER)
    c.rect(0.33, 0.74, 0.67, 0.77, INK)
    c.rect(0.33, 0.81, 0.6, 0.84, INK)
    return c


def app_icon():
    c = Canvas()
    c.circle(0.5, 0.5, 0.48, BLUE)
    c.circle(0.5, 0.5, 0.43, (60, 120, 200, 255))
    # Score bars rising above a base line, with two sound arcs.
    for i, top in enumerate((0.55, 0.42, 0.3)):
        x = 0.27 + i * 0.16
        c.rect(x, top, x + 0.11, 0.72, WHITE)
    c.rect(0.22, 0.72, 0.78, 0.76, WHITE)
    c.ring(0.2, 0.3, 0.08, 0.11, 300, 420 - 360 + 360, YELLOW)
    return c


def logo():
    c = Canvas()
    c.rect(0, 0, 1, 1, WHITE)
    for r in (0.16, 0.27, 0.38):
        c.ring(0.3, 0.4, r, r + 0.05, 0, 60, BLUE)
        c.ring(0.3, 0.4, r, r + 0.05, 300, 360, BLUE)
    c.circle(0.3, 0.4, 0.09, BROWN)
    c.rect(0.08, 0.74, 0.92, 0.77, BLUE)
    return c


def write_ppm(path, rows):
    h, w = len(rows), len(rows[0])
    with open(path, "wb") as f:
        f.write(b"P6 %d %d 255\n" % (w, h))
        f.write(bytes(v for row in rows for px in row for v in px[:3]))


def main():
    glyphs = os.path.join(OUT, "glyphs")
    icons = os.path.join(OUT, "icons")
    os.makedirs(glyphs, exist_ok=True)
    os.makedirs(icons, exist_ok=True)
    for name, draw, size in [("new", blank_page, 20), ("load", open_folder, 20),
                             ("save", diskette, 20), ("configuration", tool_case, 20),
                             ("demographics", card_index, 16), ("entry", table_grid, 16),
                             ("reports", pie_chart, 16), ("printer", printer, 16)]:
        rows = draw().render(size, size)
        write_png(os.path.join(glyphs, name + ".png"), rows)
        write_png(os.path.join(glyphs, name + "-disabled.png"), disabled(rows))
    for size in (48, 256):
        write_png(os.path.join(icons, "kivo-%d.png" % size), app_icon().render(size, size))

    with tempfile.TemporaryDirectory() as tmp:
        ppm = os.path.join(tmp, "logo.ppm")
        write_ppm(ppm, logo().render(118, 109, WHITE))
        subprocess.run(["convert", ppm, "-font", FONT, "-fill", "rgb(40,90,170)",
                        "-pointsize", "17", "-gravity", "south", "-annotate", "+0+6", "WHRI",
                        "-strip", "-quality", "90", "-sampling-factor", "1x1",
                        "JPEG:" + os.path.join(OUT, "logo.jpg")], check=True)


if __name__ == "__main__":
    main()
