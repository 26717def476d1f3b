#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Turns a committed picture (8-bit RGB or RGBA PNG, not interlaced) into a Windows bitmap, or
with --ico into a one-image 24-bit icon, for the Win32 program's resources. The pictures have a
handful of colours, so a bitmap is written with a palette and a byte a pixel (a third of the
24-bit size) whenever 256 colours hold it, the colours exact.
The PNGs stay the source; the build converts them, with nothing but Python's standard library.

  png_to_bmp.py IN.png OUT.bmp
  png_to_bmp.py --ico IN.png OUT.ico
"""
import struct
import sys
import zlib


def read_png(path):
    """Returns (width, height, rows) with rows top to bottom as bytes of R, G, B."""
    data = open(path, "rb").read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        sys.exit(f"{path}: not a PNG file")
    pos, idat, header = 8, b"", None
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        pos += 12 + length
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            idat += body
        elif kind == b"IEND":
            break
    width, height, depth, colour, _, _, interlace = header
    if depth != 8 or colour not in (2, 6) or interlace:
        sys.exit(f"{path}: only 8-bit RGB or RGBA pictures without interlacing are read")
    channels = 3 if colour == 2 else 4
    raw = zlib.decompress(idat)
    stride = width * channels
    rows, previous = [], bytearray(stride)
    for y in range(height):
        start = y * (stride + 1)
        kind, line = raw[start], bytearray(raw[start + 1:start + 1 + stride])
        for i in range(stride):
            left = line[i - channels] if i >= channels else 0
            up = previous[i]
            corner = previous[i - channels] if i >= channels else 0
            if kind == 1:
                line[i] = (line[i] + left) & 0xFF
            elif kind == 2:
                line[i] = (line[i] + up) & 0xFF
            elif kind == 3:
                line[i] = (line[i] + (left + up) // 2) & 0xFF
            elif kind == 4:
                p = left + up - corner
                pa, pb, pc = abs(p - left), abs(p - up), abs(p - corner)
                pred = left if pa <= pb and pa <= pc else (up if pb <= pc else corner)
                line[i] = (line[i] + pred) & 0xFF
        previous = line
        rgb = line if channels == 3 else bytes(b for j, b in enumerate(line) if j % 4 != 3)
        rows.append(bytes(rgb))
    return width, height, rows


def dib_pixels(width, rows):
    """Bottom-up rows of B, G, R padded to four bytes, as a device-independent bitmap holds them."""
    pad = b"\0" * ((4 - width * 3 % 4) % 4)
    out = bytearray()
    for row in reversed(rows):
        for x in range(width):
            r, g, b = row[3 * x:3 * x + 3]
            out += bytes((b, g, r))
        out += pad
    return bytes(out)


def palette_of(width, rows):
    """The picture's colours in order of first use, or None when they are more than 256."""
    colours = {}
    for row in rows:
        for x in range(width):
            colour = row[3 * x:3 * x + 3]
            if colour not in colours:
                if len(colours) == 256:
                    return None
                colours[colour] = len(colours)
    return colours


def indexed_pixels(width, rows, colours):
    """Bottom-up rows of palette indices padded to four bytes."""
    pad = b"\0" * ((4 - width % 4) % 4)
    out = bytearray()
    for row in reversed(rows):
        out += bytes(colours[row[3 * x:3 * x + 3]] for x in range(width))
        out += pad
    return bytes(out)


def write_bmp(width, height, rows, path):
    colours = palette_of(width, rows)
    if colours is None:
        pixels, table, bits, used = dib_pixels(width, rows), b"", 24, 0
    else:
        pixels, bits, used = indexed_pixels(width, rows, colours), 8, len(colours)
        table = b"".join(bytes((b, g, r, 0)) for (r, g, b) in colours)
    offset = 14 + 40 + len(table)
    header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, len(pixels), 3780, 3780, used, 0)
    with open(path, "wb") as out:
        out.write(struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset))
        out.write(header)
        out.write(table)
        out.write(pixels)


def write_ico(width, height, rows, path):
    # An icon's bitmap counts the colour and the mask rows in its height; the mask is all
    # zero because the icon has no transparent pixels.
    pixels = dib_pixels(width, rows)
    mask = b"\0" * (((width + 31) // 32 * 4) * height)
    image = struct.pack("<IiiHHIIiiII", 40, width, 2 * height, 1, 24, 0, len(pixels) + len(mask), 0, 0, 0, 0)
    image += pixels + mask
    with open(path, "wb") as out:
        out.write(struct.pack("<HHH", 0, 1, 1))
        out.write(struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, 1, 24, len(image), 6 + 16))
        out.write(image)


def main(argv):
    if len(argv) == 4 and argv[1] == "--ico":
        write_ico(*read_png(argv[2]), argv[3])
    elif len(argv) == 3:
        write_bmp(*read_png(argv[1]), argv[2])
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main(sys.argv)
