#!/usr/bin/env python3
"""Draws the converter's artwork and writes it as Windows BMP and ICO files.

    python3 tools/make_artwork.py [output folder]      (default: res/art)

Everything is computed from the shapes below with the standard library only, so
the same script always writes the same bytes. Shapes are signed-distance
functions (negative inside, in pixels), which gives every edge a one-pixel
anti-aliased rim.

Outputs:
  <command>_{normal,hover,pressed}.bmp  50 x 56, 24 bits, black is transparent
  row_images.bmp                         80 x 16, 24 bits, magenta is transparent
  vodrix.ico                             16, 32, 48 pixels, 8 and 32 bits
  folder.ico                             24 pixels, 8 and 32 bits
"""

import math
import os
import struct
import sys

# ----------------------------------------------------------------------------
# Shapes


def clamp(v, lo=0.0, hi=1.0):
    return lo if v < lo else hi if v > hi else v


def circle(cx, cy, r):
    return lambda x, y: math.hypot(x - cx, y - cy) - r


def rounded_rect(x0, y0, x1, y1, r):
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
    hx, hy = (x1 - x0) / 2 - r, (y1 - y0) / 2 - r

    def d(x, y):
        qx, qy = abs(x - cx) - hx, abs(y - cy) - hy
        return math.hypot(max(qx, 0), max(qy, 0)) + min(max(qx, qy), 0) - r
    return d


def segment(ax, ay, bx, by, width):
    """A stroke with round caps from (ax, ay) to (bx, by)."""
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy

    def d(x, y):
        t = clamp(((x - ax) * dx + (y - ay) * dy) / length2)
        return math.hypot(x - ax - t * dx, y - ay - t * dy) - width / 2
    return d


def polyline(points, width):
    return union(*[segment(*a, *b, width) for a, b in zip(points, points[1:])])


def polygon(points):
    """Any simple polygon (after the well-known exact polygon distance)."""
    n = len(points)

    def d(x, y):
        best = float("inf")
        sign = 1.0
        j = n - 1
        for i in range(n):
            (xi, yi), (xj, yj) = points[i], points[j]
            ex, ey = xj - xi, yj - yi
            wx, wy = x - xi, y - yi
            t = clamp((wx * ex + wy * ey) / (ex * ex + ey * ey))
            bx, by = wx - ex * t, wy - ey * t
            best = min(best, bx * bx + by * by)
            c1, c2, c3 = y >= yi, y < yj, ex * wy > ey * wx
            if (c1 and c2 and c3) or (not c1 and not c2 and not c3):
                sign = -sign
            j = i
        return sign * math.sqrt(best)
    return d


def arc(cx, cy, radius, width, start, sweep):
    """A circular stroke with round caps; angles in degrees, counter-clockwise
    on screen, 0 pointing right."""
    a0 = math.radians(start)
    a1 = math.radians(start + sweep)
    ends = [(cx + radius * math.cos(a), cy - radius * math.sin(a)) for a in (a0, a1)]

    def d(x, y):
        angle = math.atan2(-(y - cy), x - cx)
        rel = (angle - a0) % (2 * math.pi)
        if rel <= a1 - a0:
            return abs(math.hypot(x - cx, y - cy) - radius) - width / 2
        return min(math.hypot(x - ex, y - ey) for ex, ey in ends) - width / 2
    return d


def point_on_circle(cx, cy, radius, degrees):
    a = math.radians(degrees)
    return cx + radius * math.cos(a), cy - radius * math.sin(a)


def arrow_head(tip, direction_deg, length, half_width):
    """A triangle whose tip points along direction (degrees, counter-clockwise)."""
    a = math.radians(direction_deg)
    ux, uy = math.cos(a), -math.sin(a)
    bx, by = tip[0] - ux * length, tip[1] - uy * length
    return polygon([tip, (bx - uy * half_width, by + ux * half_width),
                    (bx + uy * half_width, by - ux * half_width)])


def union(*shapes):
    return lambda x, y: min(s(x, y) for s in shapes)


def subtract(shape, hole):
    return lambda x, y: max(shape(x, y), -hole(x, y))


def intersect(a, b):
    return lambda x, y: max(a(x, y), b(x, y))


def inset(shape, amount):
    return lambda x, y: shape(x, y) + amount


def outline(shape, width):
    """The rim of a shape, width pixels wide, inside its edge."""
    return subtract(shape, inset(shape, width))


def translate(shape, dx, dy):
    return lambda x, y: shape(x - dx, y - dy)


def scale(shape, factor, cx, cy):
    return lambda x, y: shape(cx + (x - cx) / factor, cy + (y - cy) / factor) * factor


# ----------------------------------------------------------------------------
# Colours and paints


def rgb(hex_text):
    v = int(hex_text.lstrip("#"), 16)
    return ((v >> 16) & 255, (v >> 8) & 255, v & 255)


def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def vertical(y0, top, y1, bottom):
    return lambda x, y: mix(top, bottom, clamp((y - y0) / (y1 - y0)))


def radial(cx, cy, radius, inner, outer):
    return lambda x, y: mix(inner, outer, clamp(math.hypot(x - cx, y - cy) / radius))


def solid(colour):
    return lambda x, y: colour


class Tone:
    """How one face of a button renders its colours: the hover face is a
    brighter, the pressed face a darker rendering of the normal one."""

    def __init__(self, lift=0.0, shade=1.0, sunken=False):
        self.lift, self.shade, self.sunken = lift, shade, sunken

    def __call__(self, colour):
        c = mix(colour, (255, 255, 255), self.lift)
        return tuple(v * self.shade for v in c)


NORMAL = Tone()
HOVER = Tone(lift=0.16)
PRESSED = Tone(shade=0.84, sunken=True)


class Canvas:
    def __init__(self, width, height):
        self.width, self.height = width, height
        self.rgba = [[0.0, 0.0, 0.0, 0.0] for _ in range(width * height)]

    def fill(self, shape, paint, opacity=1.0, tone=NORMAL):
        for py in range(self.height):
            y = py + 0.5
            for px in range(self.width):
                x = px + 0.5
                coverage = clamp(0.5 - shape(x, y)) * opacity
                if coverage <= 0.0:
                    continue
                src = tone(paint(x, y))
                dst = self.rgba[py * self.width + px]
                out_a = coverage + dst[3] * (1 - coverage)
                for i in range(3):
                    dst[i] = (src[i] * coverage + dst[i] * dst[3] * (1 - coverage)) / out_a
                dst[3] = out_a

    def flatten(self, key, matte):
        """24-bit pixels for a colour-keyed bitmap: uncovered pixels take the
        key colour, edge pixels are blended with the matte, and no covered
        pixel may equal the key by accident."""
        out = []
        for r, g, b, a in self.rgba:
            if a < 0.5:
                out.append(key)
                continue
            px = tuple(int(round(v)) for v in mix(matte, (r, g, b), a))
            if px == key:
                px = (px[0] ^ 1, px[1], px[2])
            out.append(px)
        return out

    def straight_alpha(self):
        return [(int(round(r)), int(round(g)), int(round(b)), int(round(a * 255)))
                for r, g, b, a in self.rgba]


# ----------------------------------------------------------------------------
# File formats


def bmp24(width, height, pixels):
    stride = (width * 3 + 3) & ~3
    rows = []
    for y in range(height - 1, -1, -1):
        row = bytearray()
        for r, g, b in pixels[y * width:(y + 1) * width]:
            row += bytes((b, g, r))
        row += bytes(stride - len(row))
        rows.append(bytes(row))
    image = b"".join(rows)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(image), 2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(image), 0, 0, 14 + len(info))
    return header + info + image


def and_mask(size, pixels):
    stride = ((size + 31) // 32) * 4
    rows = []
    for y in range(size - 1, -1, -1):
        row = bytearray(stride)
        for x in range(size):
            if pixels[y * size + x][3] < 128:
                row[x // 8] |= 0x80 >> (x % 8)
        rows.append(bytes(row))
    return b"".join(rows)


def icon_info(size, bits, image_size, colours=0):
    return struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bits, 0, image_size, 0, 0, colours, 0)


def icon_image_32(size, pixels):
    data = bytearray()
    for y in range(size - 1, -1, -1):
        for r, g, b, a in pixels[y * size:(y + 1) * size]:
            data += bytes((b, g, r, a)) if a else bytes(4)
    mask = and_mask(size, pixels)
    return icon_info(size, 32, len(data) + len(mask)) + bytes(data) + mask


def icon_palette():
    """A fixed 256-entry palette: a 6 x 6 x 6 colour cube and 40 greys."""
    cube = [(r * 51, g * 51, b * 51) for r in range(6) for g in range(6) for b in range(6)]
    greys = [(round(i * 255 / 41),) * 3 for i in range(1, 41)]
    return cube + greys


PALETTE = icon_palette()


def nearest(colour):
    return min(range(len(PALETTE)),
               key=lambda i: sum((PALETTE[i][k] - colour[k]) ** 2 for k in range(3)))


def icon_image_8(size, pixels, matte):
    data = bytearray()
    stride = (size + 3) & ~3
    for y in range(size - 1, -1, -1):
        row = bytearray()
        for r, g, b, a in pixels[y * size:(y + 1) * size]:
            row.append(nearest(mix(matte, (r, g, b), a / 255)) if a >= 128 else 0)
        data += row + bytes(stride - len(row))
    mask = and_mask(size, pixels)
    palette = b"".join(bytes((b, g, r, 0)) for r, g, b in PALETTE)
    return icon_info(size, 8, len(data) + len(mask), 256) + palette + bytes(data) + mask


def ico(entries):
    """entries: (size, bits, image bytes)."""
    header = struct.pack("<HHH", 0, 1, len(entries))
    offset = len(header) + 16 * len(entries)
    directory, blobs = b"", b""
    for size, bits, image in entries:
        colours = 0 if bits > 8 else 1 << bits
        directory += struct.pack("<BBBBHHII", size % 256, size % 256, colours % 256, 0, 1, bits,
                                 len(image), offset + len(blobs))
        blobs += image
    return header + directory + blobs


# ----------------------------------------------------------------------------
# The palette of the program's artwork

INK = rgb("27324a")          # dark slate: outlines, glyph strokes
FACE_TOP = rgb("fbfcfe")     # button face gradient
FACE_BOTTOM = rgb("d3dbe8")
FACE_EDGE = rgb("7b8aa6")
GREEN = (rgb("7fd36b"), rgb("2f9a3c"), rgb("1f6b2a"))    # light, base, dark
RED = (rgb("f58a78"), rgb("d9412f"), rgb("8f2318"))
BLUE = (rgb("7cc0f5"), rgb("2f7fd6"), rgb("1c4f91"))
TEAL = (rgb("79d9d0"), rgb("1f9c94"), rgb("136660"))
AMBER = (rgb("ffd77a"), rgb("f0a630"), rgb("a5661a"))
MATTE = rgb("d4d8e0")        # what edges are blended with where black becomes see-through
WHITE = (255, 255, 255)

# ----------------------------------------------------------------------------
# Button faces: a light rounded tile with the pictogram at its top. The button
# draws its caption centred on itself, which puts it across the middle of the
# 56-pixel face: the tile leaves that band plain and ends below it, and the
# face's last rows stay see-through.

FACE_W, FACE_H = 50, 56
TILE_BOTTOM = 44
GLYPH_CX, GLYPH_CY = 25.0, 13.0   # centre of the pictogram area
GLYPH_R = 9.0                     # half the pictogram's size


def glyph_fill(canvas, shape, colours, tone, top, bottom):
    """A pictogram shape: gradient body, darker rim, soft highlight at its top."""
    light, base, dark = colours
    canvas.fill(shape, vertical(top, light, bottom, base), tone=tone)
    canvas.fill(outline(shape, 1.0), solid(dark), opacity=0.9, tone=tone)
    gloss = intersect(inset(shape, 1.6), lambda x, y: y - (top + (bottom - top) * 0.45))
    canvas.fill(gloss, solid(WHITE), opacity=0.28, tone=tone)


def card(canvas, tone):
    body = rounded_rect(1, 1, FACE_W - 1, TILE_BOTTOM, 7)
    top, bottom = (FACE_BOTTOM, FACE_TOP) if tone.sunken else (FACE_TOP, FACE_BOTTOM)
    canvas.fill(body, vertical(2, top, TILE_BOTTOM, bottom), tone=tone)
    canvas.fill(outline(body, 1.0), vertical(0, FACE_EDGE, TILE_BOTTOM, mix(FACE_EDGE, INK, 0.35)),
                tone=tone)
    if not tone.sunken:
        rim = outline(inset(body, 1.0), 1.0)
        canvas.fill(rim, vertical(0, WHITE, TILE_BOTTOM, FACE_TOP), opacity=0.85, tone=tone)


def glyph_add(c, tone):
    cx, cy, arm, w = GLYPH_CX, GLYPH_CY, 10.5, 7.0
    plus = union(rounded_rect(cx - arm, cy - w / 2, cx + arm, cy + w / 2, 1.5),
                 rounded_rect(cx - w / 2, cy - arm, cx + w / 2, cy + arm, 1.5))
    glyph_fill(c, plus, GREEN, tone, cy - arm, cy + arm)


def glyph_remove(c, tone):
    cx, cy, arm, w = GLYPH_CX, GLYPH_CY, 10.5, 7.0
    minus = rounded_rect(cx - arm, cy - w / 2, cx + arm, cy + w / 2, 1.5)
    # A small stack of pages behind the minus: what is being taken off the list.
    page = rounded_rect(cx - 7, cy - 12, cx + 7, cy + 9, 1.5)
    c.fill(page, vertical(cy - 12, WHITE, cy + 9, rgb("e6ebf3")), tone=tone)
    c.fill(outline(page, 1.0), solid(FACE_EDGE), tone=tone)
    for ly in (cy - 8, cy - 5):
        c.fill(segment(cx - 4, ly, cx + 4, ly, 1.2), solid(FACE_EDGE), opacity=0.7, tone=tone)
    glyph_fill(c, minus, RED, tone, cy - w / 2, cy + w / 2)


def circular_arrows(cx, cy, radius, width, head, half_width=None, sweep=118):
    """Two arrows chasing each other counter-clockwise around a circle."""
    shapes = []
    half_width = half_width or head * 0.72
    for start in (20, 200):
        end = start + sweep
        shapes.append(arc(cx, cy, radius, width, start, sweep))
        # The head's base lies across the stroke at its end; its tip sits on
        # the circle, a head's length further on.
        bx, by = point_on_circle(cx, cy, radius, end)
        ux, uy = (bx - cx) / radius, (by - cy) / radius
        tip = point_on_circle(cx, cy, radius, end + math.degrees(head / radius))
        shapes.append(polygon([(bx + ux * half_width, by + uy * half_width), tip,
                               (bx - ux * half_width, by - uy * half_width)]))
    return union(*shapes)


def glyph_add(c, tone):
    cx, cy, arm, w = GLYPH_CX, GLYPH_CY, GLYPH_R, 6.0
    plus = union(rounded_rect(cx - arm, cy - w / 2, cx + arm, cy + w / 2, 1.2),
                 rounded_rect(cx - w / 2, cy - arm, cx + w / 2, cy + arm, 1.2))
    glyph_fill(c, plus, GREEN, tone, cy - arm, cy + arm)


def glyph_remove(c, tone):
    cx, cy, arm, w = GLYPH_CX, GLYPH_CY, GLYPH_R, 6.0
    # A page behind the minus: the file being taken off the list.
    page = rounded_rect(cx - 6.5, cy - GLYPH_R, cx + 6.5, cy + GLYPH_R - 1, 1.2)
    c.fill(page, vertical(cy - GLYPH_R, WHITE, cy + GLYPH_R, rgb("e3e9f2")), tone=tone)
    c.fill(outline(page, 1.0), solid(FACE_EDGE), tone=tone)
    for ly in (cy - 6.0, cy - 3.8):
        c.fill(segment(cx - 3.5, ly, cx + 3.5, ly, 1.0), solid(FACE_EDGE), opacity=0.8, tone=tone)
    minus = rounded_rect(cx - arm, cy - w / 2 + 1, cx + arm, cy + w / 2 + 1, 1.2)
    glyph_fill(c, minus, RED, tone, cy - w / 2 + 1, cy + w / 2 + 1)


def glyph_convert(c, tone):
    arrows = circular_arrows(GLYPH_CX, GLYPH_CY, GLYPH_R - 1.9, 3.0, 5.8)
    glyph_fill(c, arrows, BLUE, tone, GLYPH_CY - GLYPH_R, GLYPH_CY + GLYPH_R)


def glyph_stop(c, tone):
    cx, cy, r = GLYPH_CX, GLYPH_CY, GLYPH_R + 0.3
    octagon = polygon([point_on_circle(cx, cy, r, 22.5 + 45 * i) for i in range(8)])
    glyph_fill(c, octagon, RED, tone, cy - r, cy + r)
    c.fill(rounded_rect(cx - 3.6, cy - 3.6, cx + 3.6, cy + 3.6, 0.8), solid(WHITE), tone=tone)


def round_badge(c, tone, colours):
    badge = circle(GLYPH_CX, GLYPH_CY, GLYPH_R + 0.3)
    glyph_fill(c, badge, colours, tone, GLYPH_CY - GLYPH_R, GLYPH_CY + GLYPH_R)


def glyph_help(c, tone):
    cx, cy = GLYPH_CX, GLYPH_CY
    round_badge(c, tone, BLUE)
    hook = union(arc(cx, cy - 2.6, 3.3, 2.5, -60, 250),
                 segment(*point_on_circle(cx, cy - 2.6, 3.3, -60), cx, cy + 2.2, 2.5))
    c.fill(hook, solid(WHITE), tone=tone)
    c.fill(circle(cx, cy + 5.6, 1.55), solid(WHITE), tone=tone)


def glyph_about(c, tone):
    cx, cy = GLYPH_CX, GLYPH_CY
    round_badge(c, tone, TEAL)
    c.fill(circle(cx, cy - 5.0, 1.6), solid(WHITE), tone=tone)
    c.fill(union(rounded_rect(cx - 1.35, cy - 2.0, cx + 1.35, cy + 6.0, 0.6),
                 rounded_rect(cx - 3.0, cy - 2.0, cx + 0.4, cy - 0.6, 0.4),
                 rounded_rect(cx - 3.0, cy + 4.7, cx + 3.0, cy + 6.2, 0.5)), solid(WHITE), tone=tone)


def glyph_exit(c, tone):
    cx, cy = GLYPH_CX, GLYPH_CY + 0.8
    power = union(arc(cx, cy, 6.8, 3.0, 125, 290), segment(cx, cy - 9.6, cx, cy - 2.2, 3.0))
    glyph_fill(c, power, RED, tone, cy - GLYPH_R, cy + GLYPH_R)


COMMANDS = {
    "add": glyph_add,
    "remove": glyph_remove,
    "convert": glyph_convert,
    "stop": glyph_stop,
    "help": glyph_help,
    "about": glyph_about,
    "exit": glyph_exit,
}

TONES = {"normal": NORMAL, "hover": HOVER, "pressed": PRESSED}


def button_face(glyph, tone):
    c = Canvas(FACE_W, FACE_H)
    card(c, tone)
    glyph(c, tone)
    return c.flatten((0, 0, 0), MATTE)


# ----------------------------------------------------------------------------
# Source-list row images, 16 x 16 each, over the list's white background

MAGENTA = (255, 0, 255)


def row_plus(c):
    plus = union(rounded_rect(2.5, 6, 13.5, 10, 1), rounded_rect(6, 2.5, 10, 13.5, 1))
    glyph_fill(c, plus, GREEN, NORMAL, 2.5, 13.5)


def row_converting(c):
    glyph_fill(c, circular_arrows(8, 8, 5.0, 2.2, 4.6, half_width=3.0, sweep=92), BLUE, NORMAL, 1, 15)


def row_check(c):
    tick = polyline([(3.2, 8.6), (6.6, 12.0), (13.0, 4.2)], 3.0)
    glyph_fill(c, tick, GREEN, NORMAL, 3, 13)


def row_right(c):
    arrow = union(rounded_rect(2, 6.2, 10, 9.8, 0.8), arrow_head((14.2, 8), 0, 6.8, 5.6))
    glyph_fill(c, arrow, BLUE, NORMAL, 2, 14)


def row_down(c):
    arrow = union(rounded_rect(6.2, 2, 9.8, 10, 0.8), arrow_head((8, 14.2), -90, 6.8, 5.6))
    glyph_fill(c, arrow, AMBER, NORMAL, 2, 14)


ROW_IMAGES = [row_plus, row_converting, row_check, row_right, row_down]


def row_strip():
    strip = [MAGENTA] * (80 * 16)
    for i, draw in enumerate(ROW_IMAGES):
        c = Canvas(16, 16)
        draw(c)
        cell = c.flatten(MAGENTA, WHITE)
        for y in range(16):
            strip[y * 80 + i * 16:y * 80 + i * 16 + 16] = cell[y * 16:y * 16 + 16]
    return strip


# ----------------------------------------------------------------------------
# Icons


def app_icon(size):
    """A film frame with a play mark, wrapped by the blue conversion arrows
    (too fine to read at 16 pixels, where the frame fills the icon instead)."""
    c = Canvas(size, size)
    if size >= 32:
        s = size / 48.0
        arrows = circular_arrows(24 * s, 24 * s, 19 * s, 3.8 * s, 9 * s)
        glyph_fill(c, arrows, BLUE, NORMAL, 0, size)
        frame_top, frame_bottom, screen_top, screen_bottom = 12 * s, 36 * s, 17.2 * s, 30.8 * s
        frame = rounded_rect(8 * s, frame_top, 40 * s, frame_bottom, 3.5 * s)
        screen = rounded_rect(10.5 * s, screen_top, 37.5 * s, screen_bottom, 1.5 * s)
        play = polygon([(20 * s, 18.6 * s), (31 * s, 24 * s), (20 * s, 29.4 * s)])
    else:
        frame_top, frame_bottom, screen_top, screen_bottom = 2.5, 13.5, 4, 12
        frame = rounded_rect(0.5, frame_top, 15.5, frame_bottom, 1.5)
        screen = rounded_rect(2, screen_top, 14, screen_bottom, 0.8)
        play = polygon([(6, 4.5), (12.5, 8), (6, 11.5)])
    c.fill(frame, vertical(frame_top, rgb("3a4766"), frame_bottom, rgb("1d253a")))
    c.fill(outline(frame, 1.0), solid(rgb("11172a")))
    if size >= 32:
        for i in range(6):   # sprocket holes along both edges
            hx = (11.2 + i * 4.9) * s
            for hy in (13.6 * s, 32.2 * s):
                c.fill(rounded_rect(hx, hy, hx + 2.6 * s, hy + 2.2 * s, 0.5 * s), solid(rgb("c9d3e6")))
    c.fill(screen, vertical(screen_top, rgb("ffcf5a"), screen_bottom, rgb("e8821c")))
    c.fill(play, solid(WHITE))
    if size >= 48:
        c.fill(outline(play, 1.0), solid(rgb("a8501a")), opacity=0.85)
    return c.straight_alpha()


def folder_icon(size=24):
    s = size / 24.0
    c = Canvas(size, size)
    back = union(rounded_rect(2 * s, 4 * s, 10 * s, 9 * s, 1.2 * s),
                 rounded_rect(2 * s, 6 * s, 21 * s, 20 * s, 1.5 * s))
    c.fill(back, vertical(4 * s, AMBER[1], 20 * s, AMBER[2]))
    paper = rounded_rect(4.5 * s, 7.5 * s, 19 * s, 16 * s, 0.8 * s)
    c.fill(paper, solid(rgb("fbfcfe")))
    c.fill(outline(paper, 0.8), solid(FACE_EDGE), opacity=0.6)
    front = polygon([(1.5 * s, 10 * s), (22.5 * s, 10 * s), (21 * s, 20.5 * s), (2.5 * s, 20.5 * s)])
    glyph_fill(c, front, AMBER, NORMAL, 10 * s, 20.5 * s)
    return c.straight_alpha()


# ----------------------------------------------------------------------------


def write(folder, name, data):
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "res", "art")
    os.makedirs(folder, exist_ok=True)
    for command, glyph in COMMANDS.items():
        for face, tone in TONES.items():
            write(folder, "%s_%s.bmp" % (command, face), bmp24(FACE_W, FACE_H, button_face(glyph, tone)))
    write(folder, "row_images.bmp", bmp24(80, 16, row_strip()))
    app = {size: app_icon(size) for size in (16, 32, 48)}
    write(folder, "vodrix.ico", ico([(size, 8, icon_image_8(size, app[size], WHITE)) for size in app] +
                                   [(size, 32, icon_image_32(size, app[size])) for size in app]))
    folder_pixels = folder_icon()
    write(folder, "folder.ico", ico([(24, 8, icon_image_8(24, folder_pixels, WHITE)),
                                     (24, 32, icon_image_32(24, folder_pixels))]))


if __name__ == "__main__":
    main()
