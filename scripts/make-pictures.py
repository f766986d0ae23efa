#!/usr/bin/env python3
"""Draws the program's pictures and writes them into resources/.

- kelvara-picture.bmp: 140 x 140, 24 bits per pixel. Upper left a line
  drawing of the sky hemisphere (horizon with the compass points, zenith,
  celestial poles and equator, the sun's path with the sun on it); upper
  right a thermometer, red column two-thirds up a 0 % to 100 % scale; lower
  right a cross-section of the road: black new layer over dark grey over
  light grey. Everything else is white, which the program shows transparent.
- kelvara-icon.xpm: 16 x 16, 16 colours plus transparency: a red thermometer.
- kelvara-icon-16.png, -32.png, -48.png: the same icon for the desktop's
  icon theme (the larger ones are pixel-doubled and tripled).

Only the standard library: run it again after changing a drawing and commit
its output with it.
"""
import math
import os
import struct
import zlib

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources")

WHITE = (255, 255, 255)
BLACK = (0, 0, 0)
DARK_GREY = (88, 88, 88)
LIGHT_GREY = (176, 176, 176)
NAVY = (0, 0, 128)
BLUE = (40, 90, 200)
RED = (220, 0, 0)
ORANGE = (240, 150, 0)
YELLOW = (255, 220, 0)
GREY = (128, 128, 128)


class Canvas:
    def __init__(self, width, height, fill=WHITE):
        self.width, self.height = width, height
        self.pixels = [[fill] * width for _ in range(height)]

    def set(self, x, y, colour):
        x, y = int(round(x)), int(round(y))
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = colour

    def line(self, x0, y0, x1, y1, colour, dash=0):
        steps = int(max(abs(x1 - x0), abs(y1 - y0))) + 1
        for i in range(steps + 1):
            if dash and (i // dash) % 2:
                continue
            t = i / steps
            self.set(x0 + (x1 - x0) * t, y0 + (y1 - y0) * t, colour)

    def rect(self, x0, y0, x1, y1, colour):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.set(x, y, colour)

    def disc(self, cx, cy, r, colour):
        for y in range(int(cy - r - 1), int(cy + r + 2)):
            for x in range(int(cx - r - 1), int(cx + r + 2)):
                if (x - cx) ** 2 + (y - cy) ** 2 <= r * r:
                    self.set(x, y, colour)

    def curve(self, points, colour, dash=0):
        """Joins sampled points; dash > 0 leaves every other run of samples out."""
        for i in range(len(points) - 1):
            if dash and (i // dash) % 2:
                continue
            (x0, y0), (x1, y1) = points[i], points[i + 1]
            self.line(x0, y0, x1, y1, colour)

    def text(self, x, y, s, colour):
        for ch in s:
            rows = FONT[ch]
            for dy, row in enumerate(rows):
                for dx, bit in enumerate(row):
                    if bit == "#":
                        self.set(x + dx, y + dy, colour)
            x += len(rows[0]) + 1


# A 3 x 5 pixel font for the few characters the picture needs.
FONT = {
    "0": ["###", "#.#", "#.#", "#.#", "###"],
    "1": [".#.", "##.", ".#.", ".#.", "###"],
    "5": ["###", "#..", "###", "..#", "##."],
    "%": ["#.#", "..#", ".#.", "#..", "#.#"],
    "N": ["#..#", "##.#", "#.##", "#..#", "#..#"],
    "E": ["###", "#..", "##.", "#..", "###"],
    "S": [".##", "#..", ".#.", "..#", "##."],
    "W": ["#...#", "#...#", "#.#.#", "#.#.#", ".#.#."],
    "Z": ["###", "..#", ".#.", "#..", "###"],
}


def draw_sky(c):
    """The sky seen from the east and a little above: x points south, y up,
    z towards the viewer (east); orthographic projection."""
    cx, cy, r = 46, 58, 40
    view = math.radians(17.5)  # the viewer's height above the horizon plane

    def project(x, y, z):
        return cx + x, cy - y * math.cos(view) + z * math.sin(view)

    def circle(centre, u, v, radius, n=160):
        """3-D points of a circle, with the angle running from 0 to 360 deg."""
        pts = []
        for i in range(n + 1):
            t = 2 * math.pi * i / n
            pts.append(tuple(centre[k] + radius * (math.cos(t) * u[k] + math.sin(t) * v[k]) for k in range(3)))
        return pts

    def draw3d(points, colour, back_dash=2):
        """Only what lies above the horizon: the near side solid, the far side dashed."""
        for i in range(len(points) - 1):
            a, b = points[i], points[i + 1]
            if a[1] < 0 or b[1] < 0:
                continue
            if a[2] < 0 and (i // back_dash) % 2:
                continue
            c.line(*project(*a), *project(*b), colour)

    # The visible hemisphere: its outline above the horizon, then the horizon.
    for i in range(180):
        a0, a1 = math.radians(180 + i), math.radians(181 + i)
        c.line(cx + r * math.cos(a0), cy + r * math.sin(a0) * math.cos(view),
               cx + r * math.cos(a1), cy + r * math.sin(a1) * math.cos(view), NAVY)
    horizon = circle((0, 0, 0), (1, 0, 0), (0, 0, 1), r)
    for i in range(len(horizon) - 1):
        a, b = horizon[i], horizon[i + 1]
        if a[2] < 0 and (i // 3) % 2:
            continue
        c.line(*project(*a), *project(*b), NAVY)
    # Zenith.
    zx, zy = project(0, r, 0)
    c.line(cx, cy, zx, zy, BLUE, dash=2)
    c.disc(zx, zy, 1.6, NAVY)
    c.text(zx + 3, zy - 8, "Z", NAVY)
    # Celestial axis towards the north pole, at the site's latitude.
    latitude = math.radians(50.8)
    pole = (-math.cos(latitude), math.sin(latitude), 0.0)
    px, py = project(*(r * k for k in pole))
    c.line(cx, cy, px, py, BLUE)
    c.disc(px, py, 1.6, BLUE)
    # Celestial equator and the sun's path on a midsummer day, parallel to it.
    u = (math.sin(latitude), math.cos(latitude), 0.0)
    v = (0.0, 0.0, 1.0)
    draw3d(circle((0, 0, 0), u, v, r), BLUE)
    declination = math.radians(23.4)
    centre = tuple(r * math.sin(declination) * k for k in pole)
    path = circle(centre, u, v, r * math.cos(declination))
    draw3d(path, ORANGE)
    # The sun in the morning, on the near side of its path.
    sx, sy = project(*path[14])
    c.disc(sx, sy, 5, ORANGE)
    c.disc(sx, sy, 4, YELLOW)
    for k in range(8):
        a = math.radians(k * 45 + 22)
        c.line(sx + 6 * math.cos(a), sy + 6 * math.sin(a), sx + 8 * math.cos(a), sy + 8 * math.sin(a), ORANGE)
    # Compass points on the horizon: north left, south right, east in front,
    # west behind.
    for (x, z), label, dx, dy in (((-r, 0), "N", -2, 4), ((r, 0), "S", -1, 4),
                                  ((0, r), "E", -1, 3), ((0, -r), "W", -12, -7)):
        hx, hy = project(x, 0, z)
        c.disc(hx, hy, 1.5, BLACK)
        c.text(hx + dx, hy + dy, label, BLACK)
    # Ground under the horizon.
    c.line(cx - r - 4, cy + 24, cx + r + 4, cy + 24, GREY)
    for x in range(cx - r - 2, cx + r + 4, 6):
        c.line(x, cy + 24, x - 4, cy + 28, GREY)


def draw_thermometer(c):
    x0, x1, top, bottom = 100, 108, 8, 66
    cx = (x0 + x1) / 2
    bulb_y, bulb_r = bottom + 6, 7
    c.disc(cx, bulb_y, bulb_r + 1, BLACK)
    c.rect(x0 - 1, top, x1 + 1, bottom + 2, BLACK)
    c.rect(x0, top + 1, x1, bottom + 2, WHITE)
    c.disc(cx, bulb_y, bulb_r, RED)
    column_top = bottom - (bottom - top - 4) * 2 // 3
    c.rect(x0 + 2, column_top, x1 - 2, bottom + 2, RED)
    # Rounded top of the tube.
    c.set(x0 - 1, top, WHITE)
    c.set(x1 + 1, top, WHITE)
    # Scale from 0 % (bottom) to 100 % (top), a tick every 10 %.
    for k in range(11):
        y = bottom - 2 - (bottom - top - 6) * k / 10
        length = 5 if k % 5 == 0 else 3
        c.line(x1 + 3, y, x1 + 2 + length, y, BLACK)
    for label, k in (("100%", 10), ("50%", 5), ("0%", 0)):
        c.text(x1 + 10, round(bottom - 2 - (bottom - top - 6) * k / 10) - 2, label, BLACK)


def draw_road(c):
    x0, x1 = 60, 137
    layers = [(100, 108, BLACK), (109, 120, DARK_GREY), (121, 135, LIGHT_GREY)]
    for top, bottom, colour in layers:
        c.rect(x0, top, x1, bottom, colour)
    # Grains of the mix, so the layers read as material and not as bars.
    seed = 7
    for top, bottom, colour in layers[1:]:
        grain = tuple(max(0, v - 40) for v in colour)
        for _ in range((bottom - top) * 12):
            seed = (seed * 1103515245 + 12345) % 2 ** 31
            gx = x0 + 1 + seed % (x1 - x0 - 1)
            gy = top + 1 + (seed // 97) % (bottom - top - 1)
            c.set(gx, gy, grain)
    # Heat leaving the fresh layer.
    for hx in range(70, x1 - 4, 16):
        pts = [(hx + 2 * math.sin(t / 2.0), 96 - t) for t in range(0, 14)]
        c.curve(pts, RED)


def write_bmp24(path, c):
    row_bytes = (c.width * 3 + 3) & ~3
    data = bytearray()
    for y in range(c.height - 1, -1, -1):
        row = bytearray()
        for r, g, b in c.pixels[y]:
            row += bytes((b, g, r))
        row += bytes(row_bytes - len(row))
        data += row
    header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, c.width, c.height, 1, 24, 0, len(data), 3780, 3780, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + data)


# The 16 colours of the classic 4-bit palette.
PALETTE16 = {
    "0": (0, 0, 0), "1": (128, 0, 0), "2": (0, 128, 0), "3": (128, 128, 0),
    "4": (0, 0, 128), "5": (128, 0, 128), "6": (0, 128, 128), "7": (192, 192, 192),
    "8": (128, 128, 128), "9": (255, 0, 0), "a": (0, 255, 0), "b": (255, 255, 0),
    "c": (0, 0, 255), "d": (255, 0, 255), "e": (0, 255, 255), "f": (255, 255, 255),
}

# "." is transparent; the others index PALETTE16.
ICON = [
    "......000.......",
    ".....0fff0......",
    ".....0f7f0.0....",
    ".....0f7f0......",
    ".....0f7f0.00...",
    ".....0f9f0......",
    ".....0f9f0.0....",
    ".....0f9f0......",
    ".....0f9f0.00...",
    ".....0f9f0......",
    "....00f9f00.....",
    "...0199f9910....",
    "...0999f9990....",
    "...019999910....",
    "....0199910.....",
    ".....00000......",
]


def write_xpm(path, name, rows):
    used = sorted({ch for row in rows for ch in row})
    lines = ["/* XPM */", "static const char *%s[] = {" % name,
             '"%d %d %d 1",' % (len(rows[0]), len(rows), len(used))]
    for ch in used:
        colour = "None" if ch == "." else "#%02X%02X%02X" % PALETTE16[ch]
        lines.append('"%s c %s",' % (ch, colour))
    lines += ['"%s",' % row for row in rows[:-1]] + ['"%s"' % rows[-1], "};"]
    with open(path, "w") as f:
        f.write("\n".join(lines) + "\n")


def write_png(path, rows, scale):
    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))

    size = len(rows) * scale
    raw = bytearray()
    for row in rows:
        line = bytearray([0])
        for ch in row:
            rgba = (0, 0, 0, 0) if ch == "." else PALETTE16[ch] + (255,)
            line += bytes(rgba) * scale
        raw += bytes(line) * scale
    png = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b"")
    with open(path, "wb") as f:
        f.write(png)


def main():
    picture = Canvas(140, 140)
    draw_sky(picture)
    draw_thermometer(picture)
    draw_road(picture)
    assert picture.pixels[139][0] == WHITE, "the bottom-left pixel is the transparent colour"
    write_bmp24(os.path.join(ROOT, "kelvara-picture.bmp"), picture)
    write_xpm(os.path.join(ROOT, "kelvara-icon.xpm"), "kelvara_icon", ICON)
    for scale in (1, 2, 3):
        write_png(os.path.join(ROOT, "kelvara-icon-%d.png" % (16 * scale)), ICON, scale)


if __name__ == "__main__":
    main()
