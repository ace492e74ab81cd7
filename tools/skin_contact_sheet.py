#!/usr/bin/python3
"""Checks a skin source and renders a contact sheet of its images.

    /usr/bin/python3 tools/skin_contact_sheet.py [--check] SKIN_SOURCE [OUTPUT.png]

The check reads the source in the skin compiler's grammar and fails (exit
status 1, one line per fault) when a key is not one its object type declares
(keys are compared exactly, odd capitals included), when a value has the wrong
kind for its key, when an image is not in the image table, or when a slice or
nine-grid rectangle does not lie inside its image or its margins do not fit.
Fields named with '@' are the types' unkeyed fields; their names are checked
against the compiler's list below.

The sheet shows, from the skin's own rectangles and draw modes: the main
dialog framed active and inactive with its controls, every control in every
state the engine chooses between, the popup menu and the tooltip, and then
every image at three times its size with its transparent colour shown as a
checkerboard. Text is drawn with a stand-in font, so it only approximates
what Windows shows.
"""

import os
import re
import sys

from PIL import Image, ImageDraw, ImageFont

# ----------------------------------------------------------------------------
# Declared keys of each type and their kinds: 0 font, 1 text, 2 colour,
# 3 slice, 4 nine-grid, 6 number, 7 control id, 9 text effect.

FONT, TEXT, COLOUR, SLICE, GRID, NUMBER, CONTROLID, EFFECT = 0, 1, 2, 3, 4, 6, 7, 9

PARTS = ["TOPLEFT", "MIDDLETOP", "TOPRIGHT", "MIDDLELEFT", "ClIENT", "MIDDLERIGHT",
         "BOTTOMLEFt", "BOTTOMMIDDLE", "BOTtoMRIGHT"]
SYSCOLOURS = ["SCROLLBAR", "BACKGROUND", "ACTIVECAPTION", "INACTIVECAPTION", "MENU", "WINDOW",
              "WINDOWFRAME", "MENUTEXT", "WINDOWTEXT", "CAPTIONTEXT", "ACTIVEBORDER",
              "INACTIVEBORDER", "APPWORKSPACE", "HIGHLIGHT", "HIGHLIGHTTEXT", "BTNFACE",
              "BTNSHADOW", "GRAYTEXT", "BTNTEXT", "INACTIVECAPTIONTEXT", "BTNHIGHLIGHT",
              "3DDKSHADOW", "3DLIGHT", "INFOTEXT", "INFOBK", "COLOR25", "HOTLIGHT",
              "GRADIENTACTIVECAPTION", "GRADIENTINACTIVECAPTION", "MENUHILIGHT", "MENUBAR"]


def states(words, suffixes):
    return {f"{w}.{s}": k for w in words for s, k in suffixes}


BASE = {"NAME": TEXT, "AUTOPLACE": NUMBER}
CONTROL = {**BASE, "CONTROLID": CONTROLID, "FONT": FONT, "AUTOSKINFONT": NUMBER}
CLIENT_EDGE = {**CONTROL, "BORDER": GRID, "DISABLEDCOLOR": COLOUR, "BACKCOLOR": COLOUR,
               "BACKGROUND": SLICE}
CHECK_KEYS = {**CONTROL, "TRANSPARENT": NUMBER,
              **states(["NORMAL", "SELECTED", "DISABLED", "GRAYEDNORMAL", "GRAYEDSELECTED",
                        "HIGHLIGHTEDNORMAL", "HIGHLIGHTEDSELECTED"],
                       [("BACKGROUNDIMAGE", SLICE), ("BOXIMAGE", SLICE), ("TEXTEFFECT", EFFECT)])}
# Unkeyed fields every object has, named by the grammar itself.
COMMON_FIELDS = {"@back", "@text", "@third", "@note", "@value", "@placement"}
CAPTION_ELEMENT = {**BASE, "ANCHOR": NUMBER}

KEYS = {
    "FrameWnd": {**BASE, **{f"{p}.{part}": SLICE for p in ("ACTIVEFRAME", "DEACTIVEFRAME") for part in PARTS},
                 "ACTIVEFRAME.COLOR": COLOUR, "DEACTIVEFRAME.COLOR": COLOUR,
                 "CAPTIONFONT": FONT, "SKINCLIENT": NUMBER, "MDICLIENT": SLICE},
    "PopupMenu": {**BASE, **{f"FRAME.{part}": SLICE for part in PARTS}, "FRAME.COLOR": COLOUR,
                  "ITEM.FONT": FONT, "ITEM.ACTIVECOLOR": COLOUR, "ITEM.SEPARATORCOLOR": COLOUR,
                  "ITEM.ACTIVEIMAGE": GRID, "ITEM.SEPARATORIMAGE": GRID, "ITEM.SUBMENU": SLICE,
                  "ITEM.CHECKIMAGE": SLICE},
    "Tooltip": dict(BASE),
    "Image": dict(BASE),
    "Voice": dict(BASE),
    "CaptionButton": {**CAPTION_ELEMENT, "ACTION": NUMBER, "COMMANDID": CONTROLID, "CHECKBUTTON": NUMBER,
                      **{f"{s}.IMAGE": SLICE for s in
                         ("NORMAL", "HOVER", "PRESSED", "CHECKED", "INACTIVE", "DISABLED")}},
    "CaptionStatic": {**CAPTION_ELEMENT, "MODE": NUMBER, "ALIGN": NUMBER, "FONT": FONT,
                      "TEXTEFFECT": EFFECT, "BACKGROUND": GRID},
    "Button": {**CONTROL, **states(["NORMAL", "PRESSED", "DEFAULT", "FOCUSED", "HIGHLIGHTED", "DISABLED"],
                                   [("IMAGE", GRID), ("TEXTEFFECT", EFFECT)])},
    "CheckBox": CHECK_KEYS,
    "Radio": CHECK_KEYS,
    "ComboBox": {**CONTROL, "THUMB.NORMAL": GRID, "THUMB.PRESSED": GRID, "THUMB.HOVERED": GRID,
                 "THUMB.DISABLED": GRID, "COLOR.FOCUSTEXTCOLOR": COLOUR, "COLOR.FOCUS": COLOUR,
                 "COLOR.BACKCOLOR": COLOUR, "COLOR.TEXTCOLOR": COLOUR,
                 "COLOR.DISABLEDBACKGROUND": COLOUR, "COLOR.DISABLEDTEXT": COLOUR},
    "Edit": CLIENT_EDGE,
    "ListBox": CLIENT_EDGE,
    "ListView": CLIENT_EDGE,
    "GroupBox": {**CONTROL, "TRANSPARENT": NUMBER, "FRAMEIMAGE": GRID, "CAPTIONIMAGE": GRID,
                 "CAPTIONCOLOR": COLOUR, "TEXTEFFECT": EFFECT},
    "ProgressBar": {**CONTROL, "BACKGROUND": GRID, "PROGRESSIMAGE": GRID, "BACKCOLOR": COLOUR,
                    "PROGRESSCOLOR": COLOUR, "STYLE": NUMBER},
    "ScrollBar": {**CONTROL, **states(["NORMAL", "PRESSED", "HIGHLIGHTED", "DISABLED", "VNORMAL",
                                       "VPRESSED", "VHIGHLIGHTED", "VDISABLED"],
                                      [("ARROW1", SLICE), ("ARROW2", SLICE), ("SCROLLBAR", GRID),
                                       ("THUMB", GRID)]), "GRIPPER": SLICE},
    "Slider": {**CONTROL, "TRANSPARENT": NUMBER, "BACKGROUND": GRID, "CHANNEL": GRID,
               "THUMB.VERTICAL": GRID, "THUMB.HORIZONTAL": GRID},
    "Static": {**CONTROL, "BACKIMAGE": GRID, "TRANSPARENT": NUMBER, "BACKCOLOR": COLOUR,
               "TEXTEFFECT": EFFECT},
    "Header": {**CONTROL, "BACKGROUND": GRID, "ITEM": GRID, "TEXTEFFECT": EFFECT},
    "Application": {**BASE, "AUTHOR": TEXT, "DESCRIPTION": TEXT, "APPLICATION": TEXT,
                    "USETRANSPARENTCOLOR": NUMBER, "EMAIL": TEXT, "HOMEPAGE": TEXT},
    "SysColorTable": {**BASE, **{name: COLOUR for name in SYSCOLOURS}},
}

# Unkeyed fields (named with '@' by the skin compiler) beyond the common ones.
# A frame-base value that a type declares under a key is listed only under it.
FIELD_PARTS = ["TOPLEFT", "TOP", "TOPRIGHT", "LEFT", "CLIENT", "RIGHT", "BOTTOMLEFT", "BOTTOM", "BOTTOMRIGHT"]
FRAME_ACTIVE = {f"@active.{p}" for p in FIELD_PARTS} | {"@active.color"}
FRAME_INACTIVE = {f"@inactive.{p}" for p in FIELD_PARTS} | {"@inactive.color"}
FRAME_BASE = FRAME_ACTIVE | FRAME_INACTIVE | {f"@layout.{p}" for p in FIELD_PARTS} | {
    "@captionfont", "@client.color", "@captioneffect", "@minimized.active", "@minimized.inactive"}
UNKEYED = {
    "FrameWnd": FRAME_BASE - FRAME_ACTIVE - FRAME_INACTIVE - {"@captionfont"},
    "PopupMenu": (FRAME_BASE - FRAME_ACTIVE - {"@captionfont"}) |
                 {"@itemtext.normal", "@itemtext.disabled", "@itemtext.active"},
    "Tooltip": FRAME_BASE,
    "Static": {"@disabledeffect"},
}
# Control types whose base nine-grid has no key of its own.
for control in ("Button", "CheckBox", "Radio", "ComboBox", "ScrollBar"):
    UNKEYED[control] = {"@image"}

# ----------------------------------------------------------------------------
# Reading the source


class Value:
    def __init__(self, kind, data, line):
        self.kind, self.data, self.line = kind, data, line


class SkinObject:
    def __init__(self, type_name, name, line):
        self.type, self.name, self.line = type_name, name, line
        self.props = {}      # key -> Value, keyed and '@' fields alike
        self.children = []

    def get(self, key):
        v = self.props.get(key)
        return v.data if v else None


TOKEN = re.compile(r'"(?:\\.|[^"\\])*"|[{}=]|[^\s{}="]+')
# A '#' followed by a blank or the end of the line starts a comment; any other
# '#' starts a colour.
COMMENT = re.compile(r'("(?:\\.|[^"\\])*")|#(?=\s|$).*')


def tokenize(text):
    """The tokens of each line that holds any, with the line's number."""
    for number, line in enumerate(text.splitlines(), 1):
        tokens = TOKEN.findall(COMMENT.sub(lambda m: m.group(1) or "", line))
        if tokens:
            yield tokens, number


def unquote(token):
    return re.sub(r"\\x([0-9A-Fa-f]{2})|\\(.)",
                  lambda m: chr(int(m.group(1), 16)) if m.group(1) else m.group(2), token[1:-1])


def number(word):
    """Decimal or 0x hex, with a sign or without, as the compiler reads it."""
    return int(word, 16) if re.fullmatch(r"[+-]?0[xX][0-9A-Fa-f]+", word) else int(word)


def colour(token):
    """#RRGGBB or #RRGGBBSS (the spare byte means nothing to the picture)."""
    v = int(token[1:7], 16)
    return ((v >> 16) & 255, (v >> 8) & 255, v & 255)


def options(words):
    """Option words and what follows each, up to the next option word."""
    found, key = {}, None
    for word in words:
        if word[0].isalpha():
            key = word
            found[key] = []
        elif key:
            found[key].append(word)
    return found


def parse_value(words, line):
    head = words[0]
    if head == "none":
        return Value(None, None, line)
    if head == "slice":
        return Value(SLICE, {"image": unquote(words[1]), "rect": tuple(int(w) for w in words[2:6]),
                             "mode": words[6]}, line)
    if head == "grid":
        rect = tuple(int(w) for w in words[2:6])
        margins = tuple(int(w) for w in words[7:11])
        return Value(GRID, {"image": unquote(words[1]), "rect": rect, "margins": margins,
                            "fill": int(words[12])}, line)
    if head == "font":
        return Value(FONT, {"face": unquote(words[1]), "height": int(words[2]), "weight": int(words[3]),
                            "colour": colour(words[4])}, line)
    if head == "effect":
        # What the line does not name: the defaults of a new effect.
        named = options(words[2:])
        return Value(EFFECT, {"text": colour(words[1]), "shadow": colour(named.get("shadow", ["#808080"])[0]),
                              "offset": tuple(int(w) for w in named.get("offset", [1, 1])),
                              "flags": number(named.get("flags", ["32772"])[0])}, line)
    if head.startswith('"'):
        return Value(TEXT, unquote(head), line)
    if head.startswith("#"):
        return Value(COLOUR, colour(head), line)
    if len(words) == 4:
        return Value("rect", tuple(number(w) for w in words), line)
    return Value(NUMBER, number(head), line)


def parse(path):
    """The image table (name -> path), the top-level objects, and the image
    and voice entries that carry values of their own (as objects of type
    Image and Voice)."""
    images, objects, entries, stack = {}, [], [], []
    for tokens, line in tokenize(open(path).read()):
        head = tokens[0]
        if head == "}":
            stack.pop()
            continue
        if head in ("image", "voice") and not stack:
            name = unquote(tokens[1])
            if head == "image":
                images[name] = os.path.join(os.path.dirname(path), unquote(tokens[2]))
            obj = SkinObject(head.capitalize(), name, line)
            target = entries
        elif head == "object":
            obj = SkinObject(tokens[1], unquote(tokens[2]), line)
            target = stack[-1].children if stack else objects
        elif head == "skin" and not stack:
            continue
        else:
            stack[-1].props[head] = parse_value(tokens[2:], line)  # after the key and '='
            continue
        if "{" in tokens:
            target.append(obj)
            if tokens[-1] != "}":
                stack.append(obj)
    return images, objects, entries


# ----------------------------------------------------------------------------
# Checking


def check(images, objects):
    faults, fields = [], []
    sizes = {}
    for name, path in images.items():
        try:
            sizes[name] = Image.open(path).size
        except OSError as e:
            faults.append(f"image {name}: {e}")

    def walk(obj):
        declared = KEYS.get(obj.type)
        if declared is None:
            faults.append(f"line {obj.line}: no key list for type {obj.type}")
            declared = {}
        for key, value in obj.props.items():
            where = f"line {value.line}: {obj.type} \"{obj.name}\" {key}"
            if key in COMMON_FIELDS:
                pass
            elif key.startswith("@"):
                fields.append(where)
                if key not in UNKEYED.get(obj.type, ()):
                    faults.append(f"{where}: not an unkeyed field of {obj.type}")
            elif key not in declared:
                faults.append(f"{where}: not a key of {obj.type}")
            elif value.kind is not None and value.kind != declared[key] and \
                    not (value.kind == NUMBER and declared[key] == CONTROLID):
                faults.append(f"{where}: kind {value.kind}, the key wants {declared[key]}")
            if value.kind in (SLICE, GRID):
                faults.extend(f"{where}: {f}" for f in check_rect(value.data, sizes))
        for child in obj.children:
            walk(child)

    for obj in objects:
        walk(obj)
    return faults, fields


def check_rect(data, sizes):
    if data["image"] not in sizes:
        return [f"image \"{data['image']}\" is not in the image table"]
    w, h = sizes[data["image"]]
    l, t, r, b = data["rect"]
    faults = []
    if not (0 <= l < r <= w and 0 <= t < b <= h):
        faults.append(f"rectangle {data['rect']} is not inside the {w} x {h} image")
    if "margins" in data:
        ml, mt, mr, mb = data["margins"]
        if ml + mr > r - l or mt + mb > b - t or min(data["margins"]) < 0:
            faults.append(f"margins {data['margins']} do not fit {r - l} x {b - t}")
        if not 1 <= data["fill"] <= 8:
            faults.append(f"fill mode {data['fill']}")
    elif data["mode"] not in ("copy", "tile", "stretch"):
        faults.append(f"draw mode {data['mode']}")
    return faults


# ----------------------------------------------------------------------------
# Drawing with the skin, as the engine does

MAGENTA = (255, 0, 255)


class Skin:
    def __init__(self, images, objects):
        self.images = {name: Image.open(path).convert("RGB") for name, path in images.items()}
        self.objects = {o.name: o for o in objects}

    def __getitem__(self, name):
        return self.objects[name]


def key_mask(img):
    """Opaque where the image is not the transparent colour."""
    return Image.frombytes("L", img.size, bytes(0 if p == MAGENTA else 255 for p in img.getdata()))


def put(dst, part, x, y, keyed):
    if part.width <= 0 or part.height <= 0:
        return
    dst.paste(part, (x, y), key_mask(part) if keyed else None)


def draw_part(dst, src, dest, mode, keyed):
    """One slice: copy, tile or stretch the source image into dest."""
    x0, y0, x1, y1 = dest
    dw, dh = x1 - x0, y1 - y0
    if dw <= 0 or dh <= 0 or src.width <= 0 or src.height <= 0:
        return
    if mode == "copy":
        put(dst, src.crop((0, 0, min(src.width, dw), min(src.height, dh))), x0, y0, keyed)
    elif mode == "stretch":
        put(dst, src.resize((dw, dh), Image.NEAREST), x0, y0, keyed)
    else:
        for y in range(y0, y1, src.height):
            for x in range(x0, x1, src.width):
                put(dst, src.crop((0, 0, min(src.width, x1 - x), min(src.height, y1 - y))), x, y, keyed)


def draw_slice(dst, skin, slice_, dest, keyed=False):
    if slice_:
        draw_part(dst, skin.images[slice_["image"]].crop(slice_["rect"]), dest, slice_["mode"], keyed)


STRETCHED = {1: set(range(9)), 2: {7}, 3: {4}, 4: {3}, 5: {1, 3, 5, 7}, 6: {5}, 7: {1}, 8: {1, 3, 5, 7}}


def grid_cuts(rect, margins):
    l, t, r, b = rect
    ml, mt, mr, mb = margins
    xs, ys = (l, l + ml, r - mr, r), (t, t + mt, b - mb, b)
    return [(xs[c], ys[row], xs[c + 1], ys[row + 1]) for row in range(3) for c in range(3)]


def draw_grid(dst, skin, grid, dest, keyed=False, centre=True):
    if not grid:
        return
    img = skin.images[grid["image"]]
    sources = grid_cuts(grid["rect"], grid["margins"])
    targets = grid_cuts(dest, grid["margins"])
    for i, (s, d) in enumerate(zip(sources, targets)):
        if (i == 4 and not centre) or s[2] <= s[0] or s[3] <= s[1]:
            continue
        src = img.crop(s)
        if i == 4 and grid["fill"] == 8:
            for x in range(d[0], d[2], src.width):
                column = src.resize((src.width, max(d[3] - d[1], 1)), Image.NEAREST)
                put(dst, column.crop((0, 0, min(src.width, d[2] - x), column.height)), x, d[1], keyed)
            continue
        draw_part(dst, src, d, "stretch" if i in STRETCHED[grid["fill"]] else "tile", keyed)


# Condensed faces come closest to the widths of the dialogs' own fonts.
FONT_PATH = "/usr/share/fonts/truetype/dejavu/DejaVuSansCondensed.ttf"
BOLD_PATH = "/usr/share/fonts/truetype/dejavu/DejaVuSansCondensed-Bold.ttf"


def font(size=11, bold=False):
    return ImageFont.truetype(BOLD_PATH if bold else FONT_PATH, size)


def text(dst, box, words, effect=None, colour=None, fnt=None, align="left"):
    """Text vertically centred in box, with the shadow first when the effect
    asks for one."""
    fnt = fnt or font()
    d = ImageDraw.Draw(dst)
    x0, y0, x1, y1 = box
    w = d.textlength(words, font=fnt)
    x = x0 + ((x1 - x0 - w) / 2 if align == "center" else 0)
    y = (y0 + y1) / 2
    if effect and effect["flags"] & 1:
        dx, dy = effect["offset"]
        d.text((x + dx, y + dy), words, font=fnt, fill=effect["shadow"], anchor="lm")
    d.text((x, y), words, font=fnt, fill=effect["text"] if effect else colour, anchor="lm")


def label(dst, xy, words, colour=(70, 76, 90), size=11, bold=False):
    ImageDraw.Draw(dst).text(xy, words, font=font(size, bold), fill=colour)


# ----------------------------------------------------------------------------
# Controls

class Painter:
    def __init__(self, skin, canvas):
        self.skin, self.c = skin, canvas

    def frame(self, obj_name, box, title, active):
        """A framed window; returns its client rectangle."""
        o = self.skin[obj_name]
        x0, y0, x1, y1 = box
        W, H = x1 - x0, y1 - y0
        L = [o.get("@layout." + p) for p in FIELD_PARTS]
        w = lambda r: r[2] - r[0]
        h = lambda r: r[3] - r[1]
        bottom = H - h(L[6])
        parts = [L[0], (L[1][0], L[1][1], W - w(L[2]), L[1][3]), (W - w(L[2]), L[2][1], W, L[2][3]),
                 (L[3][0], L[3][1], L[3][2], bottom), (L[4][0], L[4][1], W - w(L[5]), bottom),
                 (W - w(L[5]), L[5][1], W, bottom), (L[6][0], bottom, L[6][2], H),
                 (L[7][0], bottom, W - w(L[8]), H), (W - w(L[8]), bottom, W, H)]
        keys = {"FrameWnd": [("ACTIVEFRAME." if active else "DEACTIVEFRAME.") + p for p in PARTS],
                "PopupMenu": ["FRAME." + p for p in PARTS],
                "Tooltip": ["@active." + p for p in FIELD_PARTS]}[o.type]
        for i, part in enumerate(parts):
            # An inactive part falls back to the active one.
            s = o.get(keys[i]) or o.get("ACTIVEFRAME." + PARTS[i])
            dest = (x0 + part[0], y0 + part[1], x0 + part[2], y0 + part[3])
            draw_slice(self.c, self.skin, s, dest, keyed=True)
        p1 = parts[1]
        font_ = o.get("CAPTIONFONT")
        if title and font_:
            text(self.c, (x0 + p1[0], y0 + p1[1], x0 + p1[2], y0 + p1[3]), title,
                 colour=font_["colour"], fnt=font(13, font_["weight"] >= 700))
        Dw, Dh = L[8][2], L[8][3]
        for child in o.children:
            P = child.get("@placement")
            anchor = child.get("ANCHOR") or 0
            dx = W - Dw if anchor in (4, 5, 6) else 0
            dy = H - Dh if anchor in (2, 5, 8) else 0
            state = "NORMAL.IMAGE" if active else "INACTIVE.IMAGE"
            draw_slice(self.c, self.skin, child.get(state),
                       (x0 + P[0] + dx, y0 + P[1] + dy, x0 + P[2] + dx, y0 + P[3] + dy))
        return (x0 + parts[4][0], y0 + parts[4][1], x0 + parts[4][2], y0 + parts[4][3])

    def button(self, box, words, state):
        o = self.skin["Button"]
        draw_grid(self.c, self.skin, o.get(state + ".IMAGE"), box, keyed=True)
        text(self.c, box, words, o.get(state + ".TEXTEFFECT"), align="center")

    def check(self, kind, x, y, words, state, width=150):
        o = self.skin[kind]
        s = o.get(state + ".BOXIMAGE")
        r = s["rect"]
        bw, bh = r[2] - r[0], r[3] - r[1]
        draw_slice(self.c, self.skin, s, (x, y, x + bw, y + bh), keyed=True)
        text(self.c, (x + bw + 4, y, x + width, y + bh), words, o.get(state + ".TEXTEFFECT"))

    def static(self, box, words):
        text(self.c, box, words, self.skin["Static"].get("TEXTEFFECT"))

    def group(self, box, words):
        o = self.skin["GroupBox"]
        fnt = font(11, True)
        cap = o.get("CAPTIONIMAGE")
        ml, mt, mr, mb = cap["margins"]
        tw = ImageDraw.Draw(self.c).textlength(words, font=fnt)
        th = 14 + mt + mb
        x0, y0, x1, y1 = box
        draw_grid(self.c, self.skin, o.get("FRAMEIMAGE"), (x0, y0 + th // 2, x1, y1), centre=False)
        if words:
            capbox = (x0 + 4, y0, x0 + 4 + int(tw) + ml + mr, y0 + th)
            draw_grid(self.c, self.skin, cap, capbox)
            text(self.c, capbox, words, o.get("TEXTEFFECT"), fnt=fnt, align="center")

    def combo(self, box, words, drop="NORMAL", focused=False, disabled=False):
        o = self.skin["ComboBox"]
        frame = o.get("@image")
        ml, mt, mr, mb = frame["margins"]
        x0, y0, x1, y1 = box
        d = ImageDraw.Draw(self.c)
        field = (x0 + ml, y0 + mt, x1 - mr, y1 - mb)
        back = o.get("COLOR.DISABLEDBACKGROUND" if disabled else "COLOR.BACKCOLOR")
        d.rectangle((field[0], field[1], field[2] - 1, field[3] - 1), fill=back)
        draw_grid(self.c, self.skin, frame, box, centre=False)
        button = (x1 - 17, y0 + mt, x1 - mr, y1 - mb)
        area = (field[0] + 1, field[1] + 1, button[0] - 2, field[3] - 1)
        colour = o.get("FONT")["colour"]
        if focused and not disabled:
            d.rectangle((area[0], area[1], area[2] - 1, area[3] - 1), fill=o.get("COLOR.FOCUS"))
            colour = o.get("COLOR.FOCUSTEXTCOLOR")
        if disabled:
            colour = o.get("COLOR.DISABLEDTEXT")
        text(self.c, (area[0] + 2, area[1], area[2], area[3]), words, colour=colour)
        draw_grid(self.c, self.skin, o.get("THUMB." + ("DISABLED" if disabled else drop)), button, keyed=True)

    def edit(self, box, words, disabled=False, kind="Edit"):
        o = self.skin[kind]
        ImageDraw.Draw(self.c).rectangle((box[0], box[1], box[2] - 1, box[3] - 1),
                                         fill=o.get("DISABLEDCOLOR" if disabled else "BACKCOLOR"))
        draw_grid(self.c, self.skin, o.get("BORDER"), box, centre=False)
        if words:
            text(self.c, (box[0] + 4, box[1], box[2], box[3]), words, colour=o.get("@text"))

    def header(self, box, columns):
        o = self.skin["Header"]
        draw_grid(self.c, self.skin, o.get("BACKGROUND"), box)
        x = box[0]
        for words, width in columns:
            width = min(width, box[2] - x)
            item = (x, box[1], x + width, box[3])
            draw_grid(self.c, self.skin, o.get("ITEM"), item)
            text(self.c, (x + 6, box[1], x + width, box[3]), words, o.get("TEXTEFFECT"))
            x += width

    def progress(self, box, fraction):
        o = self.skin["ProgressBar"]
        draw_grid(self.c, self.skin, o.get("BACKGROUND"), box)
        filled = int((box[2] - box[0]) * fraction)
        if filled > 0:
            draw_grid(self.c, self.skin, o.get("PROGRESSIMAGE"), (box[0], box[1], box[0] + filled, box[3]),
                      keyed=True)

    def slider(self, box, fraction):
        o = self.skin["Slider"]
        x0, y0, x1, y1 = box
        cy = (y0 + y1) // 2
        draw_grid(self.c, self.skin, o.get("CHANNEL"), (x0 + 6, cy - 2, x1 - 6, cy + 2))
        t = o.get("THUMB.HORIZONTAL")
        tx = int(x0 + 6 + (x1 - x0 - 12) * fraction) - 5
        draw_grid(self.c, self.skin, t, (tx, y0, tx + 11, y1), keyed=True)

    def scrollbar(self, box, vertical, state, thumb=(0.3, 0.55)):
        """A bar in one state block; 'thumb' is where the thumb lies as
        fractions of the track."""
        o = self.skin["ScrollBar"]
        s = ("V" if vertical else "") + state
        x0, y0, x1, y1 = box
        size = 16
        if vertical:
            a1, a2 = (x0, y0, x1, y0 + size), (x0, y1 - size, x1, y1)
            track = (x0, y0 + size, x1, y1 - size)
            length = track[3] - track[1]
            th = (x0, track[1] + int(length * thumb[0]), x1, track[1] + int(length * thumb[1]))
        else:
            a1, a2 = (x0, y0, x0 + size, y1), (x1 - size, y0, x1, y1)
            track = (x0 + size, y0, x1 - size, y1)
            length = track[2] - track[0]
            th = (track[0] + int(length * thumb[0]), y0, track[0] + int(length * thumb[1]), y1)
        draw_slice(self.c, self.skin, o.get(s + ".ARROW1"), a1)
        draw_slice(self.c, self.skin, o.get(s + ".ARROW2"), a2)
        bar = o.get(s + ".SCROLLBAR")
        draw_grid(self.c, self.skin, bar, track)
        ml, mt, mr, mb = bar["margins"]
        inner = (th[0] + ml, th[1], th[2] - mr, th[3]) if vertical else (th[0], th[1] + mt, th[2], th[3] - mb)
        draw_grid(self.c, self.skin, o.get(s + ".THUMB"), inner, keyed=True)

    def menu(self, x, y, items, active_index):
        o = self.skin["PopupMenu"]
        fnt = font(11)
        act = o.get("ITEM.ACTIVEIMAGE")
        item_h = 13 + act["margins"][1] + act["margins"][3] + 2
        width = 150
        height = item_h * len(items) + 6
        client = self.frame("PopupMenu", (x, y, x + width, y + height), None, True)
        cy = client[1]
        effects = {kind: o.get("@itemtext." + kind) for kind in ("normal", "disabled", "active")}
        for i, (words, kind) in enumerate(items):
            row = (client[0], cy, client[2], cy + item_h)
            if kind == "separator":
                sep = o.get("ITEM.SEPARATORIMAGE")
                sh = sep["rect"][3] - sep["rect"][1]
                top = row[1] + (item_h - sh) // 2
                draw_grid(self.c, self.skin, sep, (row[0] + 2, top, row[2] - 2, top + sh), keyed=True)
            else:
                effect = effects["disabled" if kind == "disabled" else "normal"]
                if i == active_index:
                    draw_grid(self.c, self.skin, act, (row[0] + 1, row[1], row[2] - 1, row[3]), keyed=True)
                    effect = effects["active"]
                if kind == "checked":
                    chk = o.get("ITEM.CHECKIMAGE")
                    draw_slice(self.c, self.skin, chk, (row[0] + 5, row[1] + 5, row[0] + 17, row[1] + 17), keyed=True)
                main, _, accel = words.partition("\t")
                text(self.c, (row[0] + item_h, row[1], row[2], row[3]), main, effect, fnt=fnt)
                if accel:
                    w = ImageDraw.Draw(self.c).textlength(accel, font=fnt)
                    text(self.c, (row[2] - item_h - w, row[1], row[2], row[3]), accel, effect, fnt=fnt)
            cy += item_h
        return x + width, y + height


# ----------------------------------------------------------------------------
# The sheet

DESK = (94, 104, 122)
SHEET = (222, 226, 233)
ART = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "res", "art")


def dlu(x, y, w, h, origin):
    """Dialog units of the main dialog (an 8-point font) to pixels."""
    ox, oy = origin
    return (ox + round(x * 1.5), oy + round(y * 1.625), ox + round((x + w) * 1.5), oy + round((y + h) * 1.625))


def main_dialog(p, x, y, active):
    W, H = round(373 * 1.5) + 12, round(298 * 1.625) + 36
    c = p.frame("MainDialog", (x, y, x + W, y + H), "Vodrix  Video Converter", active)
    o = (c[0], c[1])
    draw_slice(p.c, p.skin, p.skin["MainDialog"].get("ACTIVEFRAME.ClIENT"), c)
    for i, name in enumerate(["add", "remove", "convert", None, "about", "help", "exit"]):
        if name:
            face = Image.open(os.path.join(ART, f"{name}_normal.bmp")).convert("RGB")
            mask = Image.frombytes("L", face.size, bytes(0 if px == (0, 0, 0) else 255 for px in face.getdata()))
            bx = dlu([9, 62, 115, 0, 220, 270, 321][i], 5, 36, 35, o)
            p.c.paste(face, (bx[0] + 2, bx[1]), mask)
            # The program's buttons centre their caption on themselves.
            text(p.c, (bx[0], bx[1], bx[2], bx[3]), name.capitalize() if name != "exit" else "EXIT",
                 colour=(36, 48, 71), fnt=font(10), align="center")
    lv = dlu(7, 47, 358, 78, o)
    p.edit(lv, None, kind="ListView")
    p.header((lv[0] + 2, lv[1] + 2, lv[2] - 2, lv[1] + 22), [("Source Media", 400), ("Duration", 150)])
    for row, (name, dur) in enumerate([("holiday.avi", "00:03:12"), ("interview.mp4", "00:27:40")]):
        ry = lv[1] + 24 + row * 18
        if row == 1:
            ImageDraw.Draw(p.c).rectangle((lv[0] + 2, ry, lv[2] - 19, ry + 17), fill=(47, 127, 214))
        colour = (255, 255, 255) if row == 1 else (36, 48, 71)
        text(p.c, (lv[0] + 8, ry, lv[0] + 300, ry + 18), name, colour=colour)
        text(p.c, (lv[0] + 410, ry, lv[2], ry + 18), dur, colour=colour)
    p.scrollbar((lv[2] - 18, lv[1] + 22, lv[2] - 2, lv[3] - 2), True, "NORMAL", (0.0, 0.6))
    p.static(dlu(9, 132, 56, 12, o), "Output Directory")
    p.edit(dlu(65, 131, 268, 14, o), "C:\\Videos\\Converted", disabled=True)
    browse = dlu(342, 131, 22, 15, o)
    p.button(browse, "...", "NORMAL")
    p.group(dlu(8, 149, 358, 27, o), "Convert Format")
    for i, (name, bx) in enumerate([("To AVI", 15), ("To MPEG", 73), ("To WMV/ASF", 148), ("To MOV/QT", 226),
                                    ("To SWF/FLV", 299)]):
        r = dlu(bx, 162, 59, 10, o)
        p.check("Radio", r[0], r[1] + 1, name, "SELECTED" if i == 0 else "NORMAL", 100)
    p.group(dlu(9, 179, 180, 89, o), "Video Format")
    p.group(dlu(195, 179, 170, 89, o), "Audio Format")
    video = [("Video Codec:", "XviD"), ("Frame Rate:", "25.00"), ("Bitrate:", "1200 kbps"),
             ("Width/Height:", "640 X 480"), ("Aspect:", "4:3")]
    audio = [("Audio Codec:", "MP3"), ("Channels:", "2 (Stereo)"), ("Bitrate:", "128 kbps"),
             ("Sample Rate:", "44100")]
    for i, (name, value) in enumerate(video):
        yy = 191 + 14 * i + (1 if i == 4 else 0)
        p.static(dlu(15, yy, 50, 12, o), name)
        p.combo(dlu(67, yy, 113, 12.5, o), value, focused=(i == 0 and active))
    for i, (name, value) in enumerate(audio):
        yy = 191 + 14 * i
        p.static(dlu(201, yy, 46, 12, o), name)
        p.combo(dlu(249, yy, 113, 12.5, o), value, drop="HOVERED" if i == 1 and active else "NORMAL")
    p.static(dlu(199, 250, 49, 10, o), "Vol:100%")
    p.slider(dlu(245, 250, 113, 11, o), 0.7)
    p.progress(dlu(8, 272, 302, 10, o), 0.42)
    p.button(dlu(317, 270, 48, 12, o), "Stop", "NORMAL" if active else "DISABLED")
    r = dlu(9, 286, 106, 10, o)
    p.check("CheckBox", r[0], r[1] + 1, "Shutdown PC after finished", "NORMAL", 220)
    return x + W, y + H


def states_panel(p, x, y):
    """Every state of every control the engine chooses between."""
    sx = x
    label(p.c, (x, y), "Push buttons", bold=True)
    y += 18
    for state in ["NORMAL", "HIGHLIGHTED", "PRESSED", "DEFAULT", "FOCUSED", "DISABLED"]:
        p.button((x, y, x + 84, y + 23), "OK", state)
        label(p.c, (x, y + 26), state.lower(), size=9)
        x += 94
    x, y = sx, y + 46
    for kind in ("CheckBox", "Radio"):
        label(p.c, (x, y), "Check boxes" if kind == "CheckBox" else "Radio buttons", bold=True)
        y += 18
        names = ["NORMAL", "SELECTED", "HIGHLIGHTEDNORMAL", "HIGHLIGHTEDSELECTED", "GRAYEDNORMAL",
                 "GRAYEDSELECTED", "DISABLED"]
        for i, state in enumerate(names):
            p.check(kind, x + (i % 4) * 140, y + (i // 4) * 20, state.lower().replace("highlighted", "hover "),
                    state, 135)
        y += 46
    label(p.c, (x, y), "Combo boxes: drop button normal, hover, pressed; focused; disabled", bold=True)
    y += 18
    for i, (drop, focused, disabled) in enumerate([("NORMAL", False, False), ("HOVERED", False, False),
                                                   ("PRESSED", False, False), ("NORMAL", True, False),
                                                   ("NORMAL", False, True)]):
        p.combo((x + i * 112, y, x + i * 112 + 104, y + 21), "MPEG-4", drop, focused, disabled)
    y += 34
    label(p.c, (x, y), "Edit, disabled edit, progress, slider, header", bold=True)
    y += 18
    p.edit((x, y, x + 150, y + 22), "Text")
    p.edit((x + 160, y, x + 310, y + 22), "C:\\Videos", disabled=True)
    p.progress((x + 320, y + 3, x + 560, y + 19), 0.63)
    y += 30
    p.slider((x, y, x + 150, y + 18), 0.3)
    p.header((x + 160, y, x + 560, y + 20), [("Source Media", 240), ("Duration", 160)])
    y += 32
    label(p.c, (x, y), "Scroll bars: normal, hover, pressed, disabled", bold=True)
    y += 18
    for i, state in enumerate(["NORMAL", "HIGHLIGHTED", "PRESSED", "DISABLED"]):
        p.scrollbar((x, y + i * 22, x + 200, y + i * 22 + 16), False, state)
        p.scrollbar((x + 220 + i * 26, y, x + 236 + i * 26, y + 150), True, state)
    o = p.skin["ScrollBar"]
    draw_slice(p.c, p.skin, o.get("GRIPPER"), (x + 330, y + 134, x + 346, y + 150))
    label(p.c, (x + 350, y + 136), "gripper", size=9)
    y += 168
    label(p.c, (x, y), "System menu and tooltip", bold=True)
    y += 18
    right, bottom = p.menu(x, y, [("Restore", "disabled"), ("Move", "normal"), ("Size", "disabled"),
                                  ("Minimize", "normal"), ("Maximize", "disabled"), ("", "separator"),
                                  ("Close\tAlt+F4", "checked")], 6)
    tip = p.frame("Tooltip", (right + 30, y + 10, right + 230, y + 32), None, True)
    text(p.c, (tip[0] + 4, tip[1], tip[2], tip[3]), "Add video files to the list",
         colour=p.skin["Tooltip"].get("@captionfont")["colour"])
    return bottom


def checker(img, scale):
    """The image enlarged, magenta shown as a checkerboard."""
    big = img.resize((img.width * scale, img.height * scale), Image.NEAREST)
    board = Image.new("RGB", big.size, (255, 255, 255))
    d = ImageDraw.Draw(board)
    for yy in range(0, big.height, 6):
        for xx in range(0, big.width, 6):
            if (xx // 6 + yy // 6) % 2:
                d.rectangle((xx, yy, xx + 5, yy + 5), fill=(204, 208, 216))
    board.paste(big, (0, 0), key_mask(big))
    return board


def render(images, objects, out):
    skin = Skin(images, objects)
    canvas = Image.new("RGB", (1760, 1900), SHEET)
    p = Painter(skin, canvas)
    ImageDraw.Draw(canvas).rectangle((0, 0, 1760, 560), fill=DESK)
    name = skin["Application"].get("APPLICATION").lower()
    label(canvas, (20, 8), f"{name}: the main dialog, active (the first combo box focused, the second "
                           "one hovered) and inactive", colour=(240, 242, 246), bold=True)
    right, bottom = main_dialog(p, 20, 30, True)
    main_dialog(p, right + 40, 30, False)
    y = max(bottom, 560) + 16
    bottom = states_panel(p, 20, y)
    x, yy, row_h = 640, y, 0
    label(canvas, (x, yy), "Images (3x, magenta shown as a checkerboard)", bold=True)
    yy += 20
    for name, img in skin.images.items():
        big = checker(img, 3)
        if x + big.width > 1740:
            x, yy, row_h = 640, yy + row_h + 24, 0
        label(canvas, (x, yy), f"{name}  {img.width} x {img.height}", size=10)
        canvas.paste(big, (x, yy + 14))
        x += big.width + 20
        row_h = max(row_h, big.height + 14)
    height = max(bottom, yy + row_h) + 20
    canvas.crop((0, 0, 1760, height)).save(out)


def main():
    args = [a for a in sys.argv[1:] if a != "--check"]
    if not args:
        sys.exit(__doc__)
    images, objects, entries = parse(args[0])
    faults, fields = check(images, objects + entries)
    for f in faults:
        print("error: " + f, file=sys.stderr)
    if faults:
        sys.exit(1)
    if "--check" in sys.argv:
        print(f"{len(objects)} objects, {len(images)} images, {len(fields)} unkeyed fields: keys and "
              "rectangles are sound")
    if len(args) > 1:
        os.makedirs(os.path.dirname(os.path.abspath(args[1])), exist_ok=True)
        render(images, objects, args[1])


if __name__ == "__main__":
    main()
