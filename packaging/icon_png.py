#!/usr/bin/env python3
"""Writes each image of a Windows icon as a PNG for the freedesktop icon
theme: ICON OUTDIR NAME gives OUTDIR/<w>x<h>/apps/NAME.png. Reads the
paletted (1, 4, 8 bits) and true-colour (24, 32 bits) images that icon
files hold; the AND mask makes pixels transparent. The PNGs carry no time,
so the same icon always gives the same bytes."""
import os
import struct
import sys
import zlib


def rows(data, width, height, bits, stride_bits):
    """The bitmap's rows top down, each a list of its pixels' values."""
    stride = (width * stride_bits + 31) // 32 * 4
    out = []
    for y in reversed(range(height)):  # bitmaps are stored bottom-up
        row = data[y * stride:(y + 1) * stride]
        if bits >= 24:
            step = bits // 8
            out.append([row[x * step:x * step + step] for x in range(width)])
        else:
            out.append([(row[x * bits // 8] >> (8 - bits - x * bits % 8)) & ((1 << bits) - 1)
                        for x in range(width)])
    return out


def rgba(image):
    """Width, height and RGBA rows of one icon image (a BITMAPINFOHEADER and
    its bits, the AND mask after the colours)."""
    size, width, height2, _, bits = struct.unpack_from("<IiiHH", image)
    height = height2 // 2
    colours = struct.unpack_from("<I", image, 32)[0] or (1 << bits if bits <= 8 else 0)
    palette = [image[size + 4 * i:size + 4 * i + 4] for i in range(colours)]
    pixels = size + 4 * colours
    xor = rows(image[pixels:], width, height, bits, bits)
    mask_at = pixels + (width * bits + 31) // 32 * 4 * height
    mask = rows(image[mask_at:], width, height, 1, 1)
    out = []
    for y in range(height):
        line = bytearray()
        for x in range(width):
            colour = palette[xor[y][x]] if bits <= 8 else xor[y][x]
            alpha = colour[3] if bits == 32 else (0 if mask[y][x] else 255)
            line += bytes((colour[2], colour[1], colour[0], alpha))
        out.append(bytes(line))
    return width, height, out


def png(width, height, lines):
    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))
    raw = b"".join(b"\0" + line for line in lines)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def main(icon, outdir, name):
    with open(icon, "rb") as f:
        data = f.read()
    _, kind, count = struct.unpack_from("<HHH", data)
    if kind != 1:
        sys.exit(f"{icon} is not an icon file")
    for i in range(count):
        length, offset = struct.unpack_from("<II", data, 6 + 16 * i + 8)
        width, height, lines = rgba(data[offset:offset + length])
        folder = os.path.join(outdir, f"{width}x{height}", "apps")
        os.makedirs(folder, exist_ok=True)
        with open(os.path.join(folder, name + ".png"), "wb") as f:
            f.write(png(width, height, lines))


if __name__ == "__main__":
    main(*sys.argv[1:4])
