#!/usr/bin/env python3
"""The committed artwork is what the generator draws, in the sizes and formats
the program loads.

    check_artwork.py <art folder> <generator script>
"""
import os
import struct
import subprocess
import sys
import tempfile

FACES = ["%s_%s.bmp" % (c, f) for c in ("add", "remove", "convert", "stop", "help", "about", "exit")
         for f in ("normal", "hover", "pressed")]


def bmp_header(path):
    with open(path, "rb") as f:
        data = f.read()
    magic, size, _, _, offset = struct.unpack_from("<2sIHHI", data, 0)
    info_size, width, height, planes, bits, compression = struct.unpack_from("<IiiHHI", data, 14)
    assert magic == b"BM" and size == len(data), path + ": not a whole BMP file"
    assert info_size == 40 and planes == 1 and compression == 0, path + ": not a plain BITMAPINFOHEADER bitmap"
    assert offset + ((width * bits // 8 + 3) & ~3) * abs(height) == len(data), path + ": pixel data size"
    return width, height, bits


def icon_entries(path):
    with open(path, "rb") as f:
        data = f.read()
    reserved, kind, count = struct.unpack_from("<HHH", data, 0)
    assert reserved == 0 and kind == 1, path + ": not an icon file"
    entries = []
    for i in range(count):
        w, h, _, _, _, bits, size, offset = struct.unpack_from("<BBBBHHII", data, 6 + 16 * i)
        info_size, iw, ih, _, ibits = struct.unpack_from("<IiiHH", data, offset)
        assert info_size == 40 and iw == (w or 256) and ih == 2 * iw and ibits == bits, path + ": image %d" % i
        assert offset + size <= len(data), path + ": image %d runs past the end" % i
        entries.append((w or 256, bits))
    return entries


def main():
    art, generator = sys.argv[1], sys.argv[2]
    failures = []

    def check(condition, message):
        if not condition:
            failures.append(message)

    for name in FACES:
        check(bmp_header(os.path.join(art, name)) == (50, 56, 24), name + " is not 50 x 56 at 24 bits")
    check(bmp_header(os.path.join(art, "row_images.bmp")) == (80, 16, 24), "row_images.bmp is not 80 x 16 at 24 bits")
    check(icon_entries(os.path.join(art, "vodrix.ico")) ==
          [(16, 8), (32, 8), (48, 8), (16, 32), (32, 32), (48, 32)], "vodrix.ico sizes")
    check(icon_entries(os.path.join(art, "folder.ico")) == [(24, 8), (24, 32)], "folder.ico sizes")

    # Drawing again gives the same bytes: the committed files are the generator's.
    with tempfile.TemporaryDirectory() as fresh:
        subprocess.run([sys.executable, generator, fresh], check=True)
        for name in sorted(os.listdir(fresh)):
            with open(os.path.join(fresh, name), "rb") as a, open(os.path.join(art, name), "rb") as b:
                check(a.read() == b.read(), name + " differs from what tools/make_artwork.py draws")
        check(sorted(os.listdir(fresh)) == sorted(os.listdir(art)), "the art folder holds other files")

    for message in failures:
        print("FAIL:", message)
    if not failures:
        print("%d artwork files checked" % len(os.listdir(art)))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
