#!/usr/bin/python3
"""Draws the images of the skins "x-plus" (the default) and "x-night" (its
dark variant) and writes them as 24-bit Windows bitmaps.

    /usr/bin/python3 tools/make_skin_art.py [--variant x-night] [output folder]
        (default: res/skin/<variant>/images)

Both skins share every shape below and differ in their palette only. The
skin source res/skin/<variant>/<variant>.skin cuts these images into slices and
nine-grids by pixel rectangles, so every cell below sits on a fixed grid that
the source names; change a size here and the source with it (the contact
sheet, tools/skin_contact_sheet.py, checks that every rectangle lies inside
its image).

Magenta (#FF00FF) is the skin's transparent colour: it fills what lies outside
the frame's rounded corners, the push buttons' corners and the corners of
every image drawn with the transparent colour left out. Edge pixels are
blended with the colour that will lie behind them, so no pink fringe shows.

Images (cells left to right unless said otherwise):
  frame.bmp            160 x 200  the main frame at its design size: active
                                  (top half) and inactive (bottom half)
  caption_buttons.bmp  140 x 60   rows system menu, minimise, close; columns
                                  normal, hover, pressed, inactive, disabled
  button.bmp           192 x 24   push button: normal, pressed, default,
                                  focused, hover, disabled
  boxes.bmp             91 x 26   check box (row 0) and radio button (row 1):
                                  unchecked, checked, hover unchecked, hover
                                  checked, disabled unchecked, disabled
                                  checked, disabled (fallback)
  fields.bmp           140 x 20   edit/list border, combo-box frame, combo
                                  drop button (normal, hover, pressed,
                                  disabled), group-box frame and caption,
                                  header background and item
  gauges.bmp           110 x 18   progress track and bar, slider channel,
                                  horizontal and vertical thumb, slider
                                  background
  scrollbar.bmp         80 x 128  one row per state block (NORMAL, PRESSED,
                                  HIGHLIGHTED, DISABLED, VNORMAL ... VDISABLED):
                                  arrow 1, arrow 2, track, thumb; the gripper
                                  at the right of the first row
  menu.bmp             104 x 24   popup-menu frame, active item, separator,
                                  submenu arrow, check mark, tooltip frame
"""

import colorsys
import math
import os
import sys

import cairo
from PIL import Image

# ----------------------------------------------------------------------------
# Palette: slate ink and greys with one blue accent, after the program's own
# button artwork. Each skin is a variant: "x-plus" draws these colours as
# they are, "x-night" passes every colour through a night tone (light and
# dark swapped, the blue accent turned amber) and gives the frame a dark look
# of its own, since a swap would make the dark frame light.


def raw_rgb(hex_text):
    v = int(hex_text.lstrip("#"), 16)
    return ((v >> 16) & 255) / 255, ((v >> 8) & 255) / 255, (v & 255) / 255


def plain_tone(colour):
    return colour


def night_tone(colour):
    """Light becomes dark and dark light; a saturated middle colour keeps its
    lightness, and the blue accent turns amber (a warning red stays red)."""
    h, l, s = colorsys.rgb_to_hls(*colour)
    if s > 0.45 and 0.3 < l < 0.75:
        if 0.45 < h < 0.75:
            h = (h + 0.5) % 1.0
    else:
        l = 0.08 + 0.86 * (1.0 - l)
        s *= 0.6
    return tuple(round(c, 4) for c in colorsys.hls_to_rgb(h, l, s))


TONE = plain_tone


def rgb(hex_text):
    return TONE(raw_rgb(hex_text))


# Active and inactive frame: outline, caption gradient, border body, the line
# under the caption, the sheen along the top and the caption glyphs.
FRAME_LOOKS = {
    "x-plus": (
        {"outline": "1a2234", "top": "435479", "bottom": "2a3550", "body": "2a3550", "rule": "2f7fd6",
         "sheen": "6677a0", "glyph": "e8ecf3"},
        {"outline": "596274", "top": "8b95a8", "bottom": "737d91", "body": "737d91", "rule": "9aa3b3",
         "sheen": "a7b0c0", "glyph": "d6dbe4"}),
    "x-night": (
        {"outline": "050608", "top": "2c3039", "bottom": "15171c", "body": "15171c", "rule": "d98a2b",
         "sheen": "3d424d", "glyph": "efe6d6"},
        {"outline": "25272d", "top": "3a3d45", "bottom": "2b2e35", "body": "2b2e35", "rule": "4c505a",
         "sheen": "484c56", "glyph": "9a9ea8"}),
}
VARIANTS = {"x-plus": plain_tone, "x-night": night_tone}


def use_variant(name):
    """Sets the named colours of one skin."""
    global TONE, INK, INK_SOFT, CLIENT, WHITE, LINE, LINE_DARK, LINE_LIGHT, FACE_TOP, FACE_BOTTOM
    global ACCENT, ACCENT_DARK, ACCENT_TINT, DISABLED_FACE, DISABLED_LINE, DISABLED_INK, RED, ACTIVE, INACTIVE
    TONE = VARIANTS[name]
    INK = rgb("243047")            # text
    INK_SOFT = rgb("4a5670")       # glyphs
    CLIENT = rgb("edf0f5")         # dialog background
    WHITE = rgb("ffffff")          # the fields' background
    LINE = rgb("a3adbf")           # control borders
    LINE_DARK = rgb("7b8aa6")
    LINE_LIGHT = rgb("d5dae3")
    FACE_TOP = rgb("fdfdfe")
    FACE_BOTTOM = rgb("e0e5ed")
    ACCENT = rgb("2f7fd6")
    ACCENT_DARK = rgb("1c4f91")
    ACCENT_TINT = rgb("e1ecfa")
    DISABLED_FACE = rgb("f3f5f8")
    DISABLED_LINE = rgb("c9cfd9")
    DISABLED_INK = rgb("a3aab7")
    RED = rgb("d9412f")
    ACTIVE, INACTIVE = ({key: raw_rgb(value) for key, value in look.items()} for look in FRAME_LOOKS[name])


use_variant("x-plus")

MAGENTA = (255, 0, 255)

# ----------------------------------------------------------------------------
# Canvas helpers


class Sheet:
    """One image file: a transparent cairo surface flattened at the end."""

    def __init__(self, width, height):
        self.width, self.height = width, height
        self.surface = cairo.ImageSurface(cairo.FORMAT_ARGB32, width, height)
        self.cr = cairo.Context(self.surface)

    def cell(self, x, y):
        """A context whose origin is the cell's top-left corner."""
        cr = cairo.Context(self.surface)
        cr.translate(x, y)
        return cr

    def flatten(self, matte):
        """RGB pixels: uncovered pixels become magenta, partly covered ones are
        blended with the matte (the colour that lies behind them when drawn),
        and no covered pixel may equal magenta by accident."""
        self.surface.flush()
        data = self.surface.get_data()
        stride = self.surface.get_stride()
        out = Image.new("RGB", (self.width, self.height))
        px = out.load()
        mr, mg, mb = (round(c * 255) for c in matte)
        for y in range(self.height):
            row = y * stride
            for x in range(self.width):
                b, g, r, a = data[row + 4 * x:row + 4 * x + 4]
                if a < 128:
                    px[x, y] = MAGENTA
                    continue
                # Premultiplied: colour + matte * (1 - alpha).
                keep = 255 - a
                c = (min(255, r + (mr * keep + 127) // 255), min(255, g + (mg * keep + 127) // 255),
                     min(255, b + (mb * keep + 127) // 255))
                px[x, y] = (254, 0, 255) if c == MAGENTA else c
        return out


def rounded(cr, x0, y0, x1, y1, r):
    """A rounded-rectangle path; r is one radius or four (top-left,
    top-right, bottom-right, bottom-left)."""
    tl, tr, br, bl = r if isinstance(r, tuple) else (r,) * 4
    cr.new_sub_path()
    cr.move_to(x0 + tl, y0)
    cr.line_to(x1 - tr, y0)
    if tr:
        cr.arc(x1 - tr, y0 + tr, tr, -math.pi / 2, 0)
    cr.line_to(x1, y1 - br)
    if br:
        cr.arc(x1 - br, y1 - br, br, 0, math.pi / 2)
    cr.line_to(x0 + bl, y1)
    if bl:
        cr.arc(x0 + bl, y1 - bl, bl, math.pi / 2, math.pi)
    cr.line_to(x0, y0 + tl)
    if tl:
        cr.arc(x0 + tl, y0 + tl, tl, math.pi, 3 * math.pi / 2)
    cr.close_path()


def vgrad(y0, top, y1, bottom):
    g = cairo.LinearGradient(0, y0, 0, y1)
    g.add_color_stop_rgb(0, *top)
    g.add_color_stop_rgb(1, *bottom)
    return g


def hgrad(x0, left, x1, right):
    g = cairo.LinearGradient(x0, 0, x1, 0)
    g.add_color_stop_rgb(0, *left)
    g.add_color_stop_rgb(1, *right)
    return g


def fill_rect(cr, x0, y0, x1, y1, paint):
    cr.rectangle(x0, y0, x1 - x0, y1 - y0)
    set_paint(cr, paint)
    cr.fill()


def set_paint(cr, paint, alpha=1.0):
    if isinstance(paint, cairo.Pattern):
        cr.set_source(paint)
    elif alpha < 1.0:
        cr.set_source_rgba(*paint, alpha)
    else:
        cr.set_source_rgb(*paint)


def box(cr, x0, y0, x1, y1, r, face, edge, width=1.0):
    """A filled rounded box with an edge stroked inside its outline."""
    h = width / 2
    rounded(cr, x0 + h, y0 + h, x1 - h, y1 - h, max(r - h, 0))
    set_paint(cr, face)
    cr.fill_preserve()
    set_paint(cr, edge)
    cr.set_line_width(width)
    cr.stroke()


def stroke(cr, points, colour, width, alpha=1.0, cap=cairo.LINE_CAP_ROUND):
    cr.move_to(*points[0])
    for p in points[1:]:
        cr.line_to(*p)
    set_paint(cr, colour, alpha)
    cr.set_line_width(width)
    cr.set_line_cap(cap)
    cr.set_line_join(cairo.LINE_JOIN_ROUND)
    cr.stroke()


def chevron(cr, cx, cy, size, direction, colour, width=1.6, alpha=1.0):
    """An open arrow head pointing 'up', 'down', 'left' or 'right'."""
    s = size / 2
    d = size / 4
    shapes = {
        "down": [(cx - s, cy - d), (cx, cy + d), (cx + s, cy - d)],
        "up": [(cx - s, cy + d), (cx, cy - d), (cx + s, cy + d)],
        "right": [(cx - d, cy - s), (cx + d, cy), (cx - d, cy + s)],
        "left": [(cx + d, cy - s), (cx - d, cy), (cx + d, cy + s)],
    }
    stroke(cr, shapes[direction], colour, width, alpha)


def tick(cr, x, y, size, colour, width=1.8):
    """A check mark in a size x size square at (x, y)."""
    stroke(cr, [(x + size * 0.18, y + size * 0.52), (x + size * 0.42, y + size * 0.76),
                (x + size * 0.84, y + size * 0.26)], colour, width)


def shade(colour, amount):
    return tuple(c * (1 - amount) for c in colour)


def save(image, folder, name):
    image.save(os.path.join(folder, name), format="BMP")


# ----------------------------------------------------------------------------
# Frame: the main dialog at its design size. The layout rectangles of the
# skin source cut it into its nine parts; the caption is 30 pixels high, the
# sides and the bottom 6.

FRAME_W, FRAME_H = 160, 100
CAPTION_H = 30
BORDER = 6
TOP_RADIUS, BOTTOM_RADIUS = 8, 4


def draw_frame(cr, look):
    _frame_outline(cr)
    set_paint(cr, look["outline"])
    cr.fill()
    # Everything inside the one-pixel outline.
    cr.save()
    _frame_outline(cr, inset=1)
    cr.clip()
    fill_rect(cr, 0, 0, FRAME_W, FRAME_H, look["body"])
    fill_rect(cr, 0, 0, FRAME_W, CAPTION_H, vgrad(1, look["top"], CAPTION_H - 2, look["bottom"]))
    # A soft sheen along the top edge, and the rule under the caption.
    fill_rect(cr, 0, 1, FRAME_W, 2, look["sheen"])
    fill_rect(cr, 0, CAPTION_H - 2, FRAME_W, CAPTION_H, look["rule"])
    cr.restore()
    # The client area, inside a dark inner line.
    fill_rect(cr, BORDER - 1, CAPTION_H, FRAME_W - BORDER + 1, FRAME_H - BORDER + 1, look["outline"])
    fill_rect(cr, BORDER, CAPTION_H, FRAME_W - BORDER, FRAME_H - BORDER, CLIENT)


def _frame_outline(cr, inset=0):
    """The frame's outline: large round corners at the top, small ones at the
    bottom."""
    i = inset
    top, bottom = TOP_RADIUS - i, BOTTOM_RADIUS - i
    rounded(cr, i, i, FRAME_W - i, FRAME_H - i, (top, top, bottom, bottom))


def make_frame():
    sheet = Sheet(FRAME_W, 2 * FRAME_H)
    draw_frame(sheet.cell(0, 0), ACTIVE)
    draw_frame(sheet.cell(0, FRAME_H), INACTIVE)
    # Corner pixels are blended with a neutral desktop grey.
    return sheet.flatten(rgb("6a7080"))


# ----------------------------------------------------------------------------
# Caption buttons: opaque cells that carry the caption behind them, so they
# sit seamlessly on it (the buttons lie 5 to 25 pixels down the caption).

CAPTION_BUTTON_W, CAPTION_BUTTON_H = 28, 20
CAPTION_BUTTON_TOP = 5
CAPTION_STATES = ["normal", "hover", "pressed", "inactive", "disabled"]


def caption_background(cr, look):
    cr.save()
    cr.translate(-40, -CAPTION_BUTTON_TOP)
    cr.rectangle(40, CAPTION_BUTTON_TOP, CAPTION_BUTTON_W, CAPTION_BUTTON_H)
    cr.clip()
    draw_frame(cr, look)
    cr.restore()


def caption_plate(cr, state, width, colour=None):
    """The rounded plate under a hovered or pressed button: a solid colour
    (darker while pressed), or without one a light veil over the caption
    (a dark one while pressed)."""
    if state not in ("hover", "pressed"):
        return
    rounded(cr, 1, 1, width - 1, CAPTION_BUTTON_H - 1, 4)
    if colour:
        set_paint(cr, colour if state == "hover" else shade(colour, 0.22))
    elif state == "hover":
        set_paint(cr, WHITE, 0.16)
    else:
        set_paint(cr, (0, 0, 0), 0.28)
    cr.fill()


def glyph_colour(state):
    look = INACTIVE if state == "inactive" else ACTIVE
    return look["glyph"], (0.35 if state == "disabled" else 1.0)


def draw_close(cr, state):
    caption_plate(cr, state, CAPTION_BUTTON_W, RED)
    colour, alpha = glyph_colour(state)
    if state in ("hover", "pressed"):
        colour = WHITE
    cx, cy, s = CAPTION_BUTTON_W / 2, CAPTION_BUTTON_H / 2 + (1 if state == "pressed" else 0), 4.5
    stroke(cr, [(cx - s, cy - s), (cx + s, cy + s)], colour, 1.8, alpha)
    stroke(cr, [(cx + s, cy - s), (cx - s, cy + s)], colour, 1.8, alpha)


def draw_minimise(cr, state):
    caption_plate(cr, state, CAPTION_BUTTON_W)
    colour, alpha = glyph_colour(state)
    cx, y = CAPTION_BUTTON_W / 2, 14.0 + (1 if state == "pressed" else 0)
    stroke(cr, [(cx - 5, y), (cx + 5, y)], colour, 2.0, alpha)


SYSTEM_BUTTON_W = 22


def app_icon():
    """The program's 16-pixel icon, as RGBA, from the program's own artwork."""
    here = os.path.dirname(os.path.abspath(__file__))
    icon = Image.open(os.path.join(here, "..", "res", "art", "vodrix.ico"))
    icon.size = (16, 16)
    return icon.convert("RGBA")


def icon_surface(icon, fade, grey):
    pixels = bytearray()
    for r, g, b, a in icon.getdata():
        if grey:
            r = g = b = int(0.3 * r + 0.59 * g + 0.11 * b)
        a = int(a * fade)
        pixels += bytes((b * a // 255, g * a // 255, r * a // 255, a))
    stride = cairo.ImageSurface.format_stride_for_width(cairo.FORMAT_ARGB32, 16)
    return cairo.ImageSurface.create_for_data(pixels, cairo.FORMAT_ARGB32, 16, 16, stride)


def draw_system(cr, state, icon):
    caption_plate(cr, state, SYSTEM_BUTTON_W)
    surface = icon_surface(icon, {"inactive": 0.75, "disabled": 0.4}.get(state, 1.0),
                           state in ("inactive", "disabled"))
    cr.set_source_surface(surface, (SYSTEM_BUTTON_W - 16) // 2,
                          (CAPTION_BUTTON_H - 16) // 2 + (1 if state == "pressed" else 0))
    cr.paint()


def make_caption_buttons():
    icon = app_icon()
    sheet = Sheet(CAPTION_BUTTON_W * len(CAPTION_STATES), CAPTION_BUTTON_H * 3)
    rows = [lambda cr, s: draw_system(cr, s, icon), draw_minimise, draw_close]
    for row, draw in enumerate(rows):
        for col, state in enumerate(CAPTION_STATES):
            cr = sheet.cell(col * CAPTION_BUTTON_W, row * CAPTION_BUTTON_H)
            caption_background(cr, INACTIVE if state == "inactive" else ACTIVE)
            draw(cr, state)
    return sheet.flatten(ACTIVE["bottom"])


# ----------------------------------------------------------------------------
# Push buttons: 32 x 24 nine-grids with 5-pixel margins (the program's Stop
# button is only 18 pixels high), rounded corners cut out with magenta.

BUTTON_W, BUTTON_H = 32, 24
BUTTON_STATES = ["normal", "pressed", "default", "focused", "hover", "disabled"]


def draw_button(cr, state):
    w, h, r = BUTTON_W, BUTTON_H, 4
    if state == "disabled":
        box(cr, 0, 0, w, h, r, DISABLED_FACE, DISABLED_LINE)
        return
    if state == "pressed":
        box(cr, 0, 0, w, h, r, vgrad(0, rgb("d3dae6"), h, rgb("e6eaf1")), LINE_DARK)
        # An inner shadow along the top.
        rounded(cr, 1, 1, w - 1, h - 1, r - 1)
        cr.clip()
        fill_rect(cr, 0, 1, w, 3, vgrad(1, rgb("b9c2d2"), 3, rgb("d3dae6")))
        return
    face = vgrad(0, FACE_TOP, h, FACE_BOTTOM)
    edge = LINE_DARK
    if state == "hover":
        face, edge = vgrad(0, WHITE, h, rgb("e4eefa")), rgb("5b8fd0")
    elif state == "focused":
        face, edge = vgrad(0, rgb("f7faff"), h, rgb("dde8f6")), ACCENT
    elif state == "default":
        edge = ACCENT_DARK
    box(cr, 0, 0, w, h, r, face, edge)
    inner = {"default": (ACCENT, 1.0), "focused": (rgb("a9ccf3"), 1.0)}.get(state, (WHITE, 0.8))
    # Inside the edge: the default button's second, accent line; the focused
    # button's light focus ring; otherwise the light rim of a raised face.
    rounded(cr, 1.5, 1.5, w - 1.5, h - 1.5, r - 1.5)
    set_paint(cr, *inner)
    cr.set_line_width(1.0)
    cr.stroke()


def make_buttons():
    sheet = Sheet(BUTTON_W * len(BUTTON_STATES), BUTTON_H)
    for i, state in enumerate(BUTTON_STATES):
        draw_button(sheet.cell(i * BUTTON_W, 0), state)
    return sheet.flatten(CLIENT)


# ----------------------------------------------------------------------------
# Check boxes and radio buttons: 13-pixel boxes, seven states each.

BOX = 13
BOX_STATES = ["normal", "selected", "hover", "hover_selected", "grayed", "grayed_selected", "disabled"]


def box_look(state):
    """Face, edge and mark colour of a box state (mark None: unchecked)."""
    return {
        "normal": (vgrad(0, rgb("f3f5f9"), BOX, WHITE), LINE_DARK, None),
        "selected": (vgrad(0, rgb("4a93e0"), BOX, ACCENT), ACCENT_DARK, WHITE),
        "hover": (vgrad(0, WHITE, BOX, ACCENT_TINT), ACCENT, None),
        "hover_selected": (vgrad(0, rgb("6aa9ec"), BOX, rgb("3b8ce0")), ACCENT, WHITE),
        "grayed": (DISABLED_FACE, DISABLED_LINE, None),
        "grayed_selected": (DISABLED_FACE, DISABLED_LINE, DISABLED_INK),
        "disabled": (rgb("e8ebf0"), DISABLED_LINE, None),
    }[state]


def draw_check(cr, state):
    face, edge, mark = box_look(state)
    box(cr, 0, 0, BOX, BOX, 3, face, edge)
    if mark:
        tick(cr, 1.5, 1.5, BOX - 3, mark, 1.8)


def draw_radio(cr, state):
    face, edge, mark = box_look(state)
    c = BOX / 2
    cr.arc(c, c, c - 0.5, 0, 2 * math.pi)
    set_paint(cr, face)
    cr.fill_preserve()
    set_paint(cr, edge)
    cr.set_line_width(1.0)
    cr.stroke()
    if mark:
        cr.arc(c, c, 2.6, 0, 2 * math.pi)
        set_paint(cr, mark)
        cr.fill()


def make_boxes():
    sheet = Sheet(BOX * len(BOX_STATES), 2 * BOX)
    for i, state in enumerate(BOX_STATES):
        draw_check(sheet.cell(i * BOX, 0), state)
        draw_radio(sheet.cell(i * BOX, BOX), state)
    return sheet.flatten(CLIENT)


# ----------------------------------------------------------------------------
# Fields: borders of edits and lists, the combo box, the group box, the list
# header. All cells are 20 pixels high, at these left edges:

FIELD_H = 20
EDIT_X, EDIT_W = 0, 12             # client-edge border, margins 2
COMBO_X, COMBO_W = 12, 12          # combo-box frame, margins 2
DROP_X, DROP_W = 24, 15            # four drop buttons, 15 x 17
DROP_H = 17
GROUP_X, GROUP_W = 84, 16          # group-box frame, margins 5
CAPTION_X, CAPTION_W = 100, 16     # group-box caption, flat, margins 4 0 4 0
HEADER_X, HEADER_W = 116, 12       # header background
ITEM_X, ITEM_W = 128, 12           # header item
DROP_STATES = ["normal", "hover", "pressed", "disabled"]


def draw_edit_border(cr):
    # Two pixels: the border line and a faint inner shade. The corners are
    # softened by one pixel of the dialog colour.
    fill_rect(cr, 0, 0, EDIT_W, 12, LINE)
    fill_rect(cr, 1, 1, EDIT_W - 1, 11, rgb("e6e9ef"))
    fill_rect(cr, 2, 2, EDIT_W - 2, 10, WHITE)
    for x, y in ((0, 0), (EDIT_W - 1, 0), (0, 11), (EDIT_W - 1, 11)):
        fill_rect(cr, x, y, x + 1, y + 1, rgb("c8cfda"))


def draw_combo_frame(cr):
    fill_rect(cr, 0, 0, COMBO_W, 12, CLIENT)
    box(cr, 0, 0, COMBO_W, 12, 3, WHITE, LINE)


def draw_drop(cr, state):
    w, h = DROP_W, DROP_H
    if state in ("hover", "pressed"):
        face = ACCENT_TINT if state == "hover" else rgb("c7d9f1")
        box(cr, 0, 0, w, h, 3, face, rgb("9cc0ec") if state == "hover" else rgb("7fa9dd"))
    else:
        fill_rect(cr, 0, 0, w, h, WHITE)
        # A light divider between the field and the button.
        fill_rect(cr, 0, 3, 1, h - 3, DISABLED_LINE if state == "disabled" else LINE_LIGHT)
    colour = {"normal": INK_SOFT, "hover": ACCENT_DARK, "pressed": ACCENT_DARK,
              "disabled": DISABLED_INK}[state]
    chevron(cr, w / 2 + 0.5, h / 2 + (1 if state == "pressed" else 0.5), 7, "down", colour, 1.6)


def draw_group_frame(cr):
    # An etched rounded line: a grey line with a white one just inside.
    rounded(cr, 1.5, 1.5, GROUP_W - 0.5, 15.5, 3)
    set_paint(cr, WHITE)
    cr.set_line_width(1.0)
    cr.stroke()
    rounded(cr, 0.5, 0.5, GROUP_W - 1.5, 14.5, 3)
    set_paint(cr, rgb("b9c1ce"))
    cr.stroke()


def draw_header(cr, item):
    w = ITEM_W if item else HEADER_W
    fill_rect(cr, 0, 0, w, FIELD_H, vgrad(0, WHITE, FIELD_H, rgb("e8ecf2")))
    fill_rect(cr, 0, FIELD_H - 1, w, FIELD_H, LINE)
    if item:
        # The divider between columns fades out towards the top and bottom.
        g = cairo.LinearGradient(0, 2, 0, FIELD_H - 2)
        g.add_color_stop_rgba(0, *LINE, 0)
        g.add_color_stop_rgba(0.5, *LINE, 1)
        g.add_color_stop_rgba(1, *LINE, 0)
        cr.rectangle(w - 1, 2, 1, FIELD_H - 4)
        cr.set_source(g)
        cr.fill()


def make_fields():
    sheet = Sheet(ITEM_X + ITEM_W, FIELD_H)
    draw_edit_border(sheet.cell(EDIT_X, 0))
    draw_combo_frame(sheet.cell(COMBO_X, 0))
    for i, state in enumerate(DROP_STATES):
        draw_drop(sheet.cell(DROP_X + i * DROP_W, 0), state)
    draw_group_frame(sheet.cell(GROUP_X, 0))
    fill_rect(sheet.cell(CAPTION_X, 0), 0, 0, CAPTION_W, 16, CLIENT)
    draw_header(sheet.cell(HEADER_X, 0), False)
    draw_header(sheet.cell(ITEM_X, 0), True)
    # The group-box frame is drawn without its centre over the dialog: what
    # is left of its cell is the dialog colour, not magenta.
    cr = sheet.cell(GROUP_X, 0)
    cr.set_operator(cairo.OPERATOR_DEST_OVER)
    fill_rect(cr, 0, 0, GROUP_W, 16, CLIENT)
    return sheet.flatten(CLIENT)


# ----------------------------------------------------------------------------
# Gauges: progress bar and slider, 18 pixels high, at these left edges:

GAUGE_H = 18
TRACK_X, TRACK_W, TRACK_H = 0, 16, 14     # progress track, margins 3
BAR_X, BAR_W, BAR_H = 16, 24, 14          # progress bar, margins 3, 18-pixel stripes
CHANNEL_X, CHANNEL_W, CHANNEL_H = 40, 16, 6
THUMB_X, THUMB_W, THUMB_H = 56, 11, 18    # horizontal thumb, margins 4 5 4 5
VTHUMB_X = 67                             # vertical thumb, 18 x 11
SLIDER_BACK_X = 85                        # slider background, 8 x 8, flat
GAUGES_W = 110


def draw_progress_track(cr):
    # Drawn opaque over the dialog: its corners show the dialog colour.
    fill_rect(cr, 0, 0, TRACK_W, TRACK_H, CLIENT)
    box(cr, 0, 0, TRACK_W, TRACK_H, 3, rgb("e3e7ee"), LINE)
    rounded(cr, 1, 1, TRACK_W - 1, TRACK_H - 1, 2)
    cr.clip()
    fill_rect(cr, 1, 1, TRACK_W - 1, 3, vgrad(1, rgb("cfd5df"), 3, rgb("e3e7ee")))


def draw_progress_bar(cr):
    w, h = BAR_W, BAR_H
    box(cr, 0, 0, w, h, 3, vgrad(0, rgb("5ea6ee"), h, rgb("2873c8")), ACCENT_DARK)
    rounded(cr, 1, 1, w - 1, h - 1, 2)
    cr.clip()
    # Diagonal stripes whose period divides the 18-pixel centre, so the
    # columns the nine-grid lays side by side join without a seam.
    cr.save()
    cr.rectangle(3, 0, 18, h)
    cr.clip()
    for x0 in range(-9, 27, 9):
        cr.move_to(3 + x0, h)
        cr.line_to(3 + x0 + 4.5, h)
        cr.line_to(3 + x0 + 4.5 + 6, 0)
        cr.line_to(3 + x0 + 6, 0)
        cr.close_path()
    set_paint(cr, WHITE, 0.14)
    cr.fill()
    cr.restore()
    # Gloss on the upper half.
    cr.rectangle(1, 1, w - 2, h / 2 - 1)
    g = cairo.LinearGradient(0, 1, 0, h / 2)
    g.add_color_stop_rgba(0, 1, 1, 1, 0.35)
    g.add_color_stop_rgba(1, 1, 1, 1, 0.08)
    cr.set_source(g)
    cr.fill()


def draw_channel(cr):
    fill_rect(cr, 0, 0, CHANNEL_W, CHANNEL_H, CLIENT)
    box(cr, 0, 0, CHANNEL_W, CHANNEL_H, 3, rgb("d3d9e2"), LINE)


def draw_thumb(cr, w, h, vertical):
    box(cr, 0, 0, w, h, 4, (hgrad if vertical else vgrad)(0, WHITE, w if vertical else h, FACE_BOTTOM),
        LINE_DARK)
    # A blue core that the nine-grid stretches along the thumb.
    if vertical:
        fill_rect(cr, 5, 4, w - 5, 7, ACCENT)
    else:
        fill_rect(cr, 4, 5, 7, h - 5, ACCENT)


def make_gauges():
    sheet = Sheet(GAUGES_W, GAUGE_H)
    draw_progress_track(sheet.cell(TRACK_X, 0))
    draw_progress_bar(sheet.cell(BAR_X, 0))
    draw_channel(sheet.cell(CHANNEL_X, 0))
    draw_thumb(sheet.cell(THUMB_X, 0), THUMB_W, THUMB_H, False)
    draw_thumb(sheet.cell(VTHUMB_X, 0), THUMB_H, THUMB_W, True)
    fill_rect(sheet.cell(SLIDER_BACK_X, 0), 0, 0, 8, 8, CLIENT)
    return sheet.flatten(CLIENT)


# ----------------------------------------------------------------------------
# Scroll bars: 16-pixel cells; one row per state block.

SB = 16
SB_ROWS = ["NORMAL", "PRESSED", "HIGHLIGHTED", "DISABLED"]


def sb_look(state):
    """Track colour, arrow plate (None: no plate), arrow glyph, thumb colour."""
    return {
        "NORMAL": (rgb("eef0f4"), None, INK_SOFT, rgb("bcc4d1")),
        "HIGHLIGHTED": (rgb("e7eaf0"), rgb("d8dfea"), INK, rgb("96a3b8")),
        "PRESSED": (rgb("dde2ea"), rgb("b9c4d6"), ACCENT_DARK, ACCENT),
        "DISABLED": (rgb("f4f5f8"), None, rgb("c9ced8"), rgb("e2e6ec")),
    }[state]


def draw_sb_track(cr, state, vertical):
    track = sb_look(state)[0]
    fill_rect(cr, 0, 0, SB, SB, track)
    # A hairline on the side towards the content.
    if vertical:
        fill_rect(cr, 0, 0, 1, SB, shade(track, 0.06))
    else:
        fill_rect(cr, 0, 0, SB, 1, shade(track, 0.06))


def draw_sb_arrow(cr, state, direction, vertical):
    track, plate, glyph, _ = sb_look(state)
    draw_sb_track(cr, state, vertical)
    if plate:
        rounded(cr, 2, 2, SB - 2, SB - 2, 3)
        set_paint(cr, plate)
        cr.fill()
    chevron(cr, SB / 2, SB / 2, 7, direction, glyph, 1.6)


def draw_sb_thumb(cr, state, vertical):
    colour = sb_look(state)[3]
    w, h = (SB - 4, SB) if vertical else (SB, SB - 4)
    rounded(cr, 0.5, 0.5, w - 0.5, h - 0.5, (min(w, h) - 1) / 2)
    set_paint(cr, colour)
    cr.fill()


def draw_gripper(cr):
    fill_rect(cr, 0, 0, SB, SB, sb_look("NORMAL")[0])
    for i in range(3):
        for j in range(3 - i):
            x, y = SB - 4 - 4 * j, SB - 4 - 4 * i
            cr.rectangle(x - 1, y - 1, 2, 2)
            set_paint(cr, rgb("a3adbf"))
            cr.fill()


def make_scrollbar():
    sheet = Sheet(5 * SB, 8 * SB)
    for block in range(8):
        vertical = block >= 4
        state = SB_ROWS[block % 4]
        y = block * SB
        draw_sb_arrow(sheet.cell(0, y), state, "up" if vertical else "left", vertical)
        draw_sb_arrow(sheet.cell(SB, y), state, "down" if vertical else "right", vertical)
        draw_sb_track(sheet.cell(2 * SB, y), state, vertical)
        # The thumb cell carries the track behind it; the thumb itself is cut
        # 2 pixels in across the bar, as the engine narrows it by the track's
        # margins.
        draw_sb_track(sheet.cell(3 * SB, y), state, vertical)
        draw_sb_thumb(sheet.cell(3 * SB + (2 if vertical else 0), y + (0 if vertical else 2)),
                      state, vertical)
    draw_gripper(sheet.cell(4 * SB, 0))
    fill_rect(sheet.cell(4 * SB, SB), 0, 0, SB, 7 * SB, CLIENT)
    return sheet.flatten(CLIENT)


# ----------------------------------------------------------------------------
# Popup menu and tooltip.

MENU_FRAME_X, MENU_FRAME = 0, 24          # 3-pixel border around white
ACTIVE_ITEM_X, ACTIVE_ITEM = 24, 20       # margins 4
SEPARATOR_X, SEPARATOR_W, SEPARATOR_H = 44, 20, 5
SUBMENU_X, SUBMENU = 64, 8
CHECK_X, CHECK = 72, 12
TOOLTIP_X, TOOLTIP = 84, 20               # 2-pixel border


def draw_menu_frame(cr):
    fill_rect(cr, 0, 0, MENU_FRAME, MENU_FRAME, rgb("8e99ad"))
    fill_rect(cr, 1, 1, MENU_FRAME - 1, MENU_FRAME - 1, rgb("f7f8fb"))
    fill_rect(cr, 3, 3, MENU_FRAME - 3, MENU_FRAME - 3, WHITE)


def draw_active_item(cr):
    box(cr, 0, 0, ACTIVE_ITEM, ACTIVE_ITEM, 3, vgrad(0, rgb("eaf2fc"), ACTIVE_ITEM, rgb("d6e6f9")),
        rgb("9cc0ec"))


def draw_separator(cr):
    fill_rect(cr, 0, 0, SEPARATOR_W, SEPARATOR_H, WHITE)
    fill_rect(cr, 0, 2, SEPARATOR_W, 3, hgrad(0, WHITE, 4, LINE_LIGHT))
    fill_rect(cr, 4, 2, SEPARATOR_W - 4, 3, LINE_LIGHT)
    fill_rect(cr, SEPARATOR_W - 4, 2, SEPARATOR_W, 3, hgrad(SEPARATOR_W - 4, LINE_LIGHT, SEPARATOR_W, WHITE))


def draw_tooltip(cr):
    fill_rect(cr, 0, 0, TOOLTIP, TOOLTIP, LINE_DARK)
    fill_rect(cr, 1, 1, TOOLTIP - 1, TOOLTIP - 1, WHITE)
    fill_rect(cr, 2, 2, TOOLTIP - 2, TOOLTIP - 2, rgb("f7f9fc"))


def make_menu():
    sheet = Sheet(TOOLTIP_X + TOOLTIP, 24)
    draw_menu_frame(sheet.cell(MENU_FRAME_X, 0))
    draw_active_item(sheet.cell(ACTIVE_ITEM_X, 0))
    draw_separator(sheet.cell(SEPARATOR_X, 0))
    cr = sheet.cell(SUBMENU_X, 0)
    fill_rect(cr, 0, 0, SUBMENU, SUBMENU, WHITE)
    chevron(cr, SUBMENU / 2, SUBMENU / 2, 6, "right", INK_SOFT, 1.4)
    tick(sheet.cell(CHECK_X, 0), 0, 0, CHECK, ACCENT, 2.0)
    draw_tooltip(sheet.cell(TOOLTIP_X, 0))
    return sheet.flatten(WHITE)


# ----------------------------------------------------------------------------

IMAGES = {
    "frame.bmp": make_frame,
    "caption_buttons.bmp": make_caption_buttons,
    "button.bmp": make_buttons,
    "boxes.bmp": make_boxes,
    "fields.bmp": make_fields,
    "gauges.bmp": make_gauges,
    "scrollbar.bmp": make_scrollbar,
    "menu.bmp": make_menu,
}


def main():
    """make_skin_art.py [--variant NAME] [output folder]"""
    args = sys.argv[1:]
    variant = "x-plus"
    if args[:1] == ["--variant"]:
        variant, args = args[1], args[2:]
    use_variant(variant)
    here = os.path.dirname(os.path.abspath(__file__))
    folder = args[0] if args else os.path.join(here, "..", "res", "skin", variant, "images")
    os.makedirs(folder, exist_ok=True)
    for name, make in IMAGES.items():
        save(make(), folder, name)


if __name__ == "__main__":
    main()
