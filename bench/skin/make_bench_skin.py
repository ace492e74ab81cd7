#!/usr/bin/python3
"""Writes a stand-in skin source with images of the size a real skin has
(frame, buttons, scroll bars: about 40 images, 600 KB of 24-bit BMP),
for the load bench when the default skin is not built."""
import os
import sys

from PIL import Image, ImageDraw

out = sys.argv[1]
os.makedirs(os.path.join(out, "images"), exist_ok=True)
lines = ["skin 1.16"]
for n in range(40):
    width, height = 120 + n * 3, 40 + n
    image = Image.new("RGB", (width, height), (240 - n, 240, 250))
    draw = ImageDraw.Draw(image)
    draw.rounded_rectangle((2, 2, width - 3, height - 3), radius=6, outline=(40, 60, 90 + n), width=2)
    draw.line((0, height // 2, width, height // 3), fill=(200, 90, 40), width=3)
    image.save(os.path.join(out, "images", f"i{n}.bmp"))
    lines.append(f'image "i{n}" "images/i{n}.bmp"')
for kind in ["Button", "CheckBox", "Radio", "Static", "Edit", "ListBox", "ComboBox", "ScrollBar",
             "ProgressBar", "Slider", "GroupBox", "Header", "ListView", "PopupMenu", "Tooltip",
             "Application", "SysColorTable"]:
    lines.append(f'object {kind} "{kind}" {{ }}')
lines.append('object FrameWnd "MainDialog" {')
lines.append('    ACTIVEFRAME.TOPLEFT = slice "i0" 0 0 12 30 copy')
lines.append('    object CaptionButton "Close" { }')
lines.append('}')
with open(os.path.join(out, "bench.skin"), "w") as source:
    source.write("\n".join(lines) + "\n")
