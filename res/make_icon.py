#!/usr/bin/env python3
"""Draws the application icon, a clock with a silver bezel and a teal dial, as Velmora.ico.

Each size is drawn separately (not scaled from the largest) with 4x4 supersampling, so the
small sizes keep crisp hands. Run it again after changing the drawing; the .ico is committed.
"""
import math
import struct
import zlib

SIZES = [16, 20, 24, 32, 40, 48, 64, 96, 128]
SS = 4


def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(4))


def shade(x, y, size):
    """Colour of one sample, with coordinates in icon pixels from the centre."""
    r = math.hypot(x, y) / (size / 2)
    outer, inner = 0.97, 0.80 if size >= 32 else 0.74
    if r > outer:
        return (0, 0, 0, 0)
    if r > inner:
        # Silver bezel: lighter at the top left, darker at the bottom right.
        t = 0.5 + 0.5 * (-(x + y) / (math.hypot(x, y) + 1e-9)) * 0.9
        base = mix((120, 124, 130, 255), (236, 238, 242, 255), t)
        edge = abs((r - inner) / (outer - inner) - 0.5) * 2
        return mix(base, (96, 100, 106, 255), max(0.0, edge - 0.7) * 2)
    # Teal dial, slightly brighter in the middle.
    dial = mix((0, 150, 150, 255), (0, 104, 112, 255), r / inner)
    s = size / 2
    angle = math.atan2(y, x)
    # Hour marks at twelve positions, longer at the quarters.
    for h in range(12):
        a = -math.pi / 2 + h * math.pi / 6
        length = 0.20 if h % 3 == 0 else 0.11
        if size < 24 and h % 3 != 0:
            continue
        d = abs(math.sin(angle - a)) * math.hypot(x, y)
        if math.cos(angle - a) > 0 and inner - length < r < inner - 0.04 and d < max(0.6, s * 0.05):
            return (240, 250, 250, 255)
    # Hands at ten past ten: hour hand then minute hand, white; a dark hub.
    for a, length, width in ((-math.pi / 2 - 2 * math.pi / 12 * 2 + 0.09, 0.42, 0.085),
                             (-math.pi / 2 + 2 * math.pi / 12 * 2, 0.62, 0.06)):
        ux, uy = math.cos(a), math.sin(a)
        along = (x * ux + y * uy) / s
        across = abs(-x * uy + y * ux) / s
        if -0.06 < along < length and across < max(width, 0.75 / s):
            return (255, 255, 255, 255)
    if r < max(0.10, 1.2 / s):
        return (30, 40, 44, 255)
    return dial


def render(size):
    rows = []
    for py in range(size):
        row = bytearray()
        for px in range(size):
            acc = [0.0, 0.0, 0.0, 0.0]
            for sy in range(SS):
                for sx in range(SS):
                    x = px + (sx + 0.5) / SS - size / 2
                    y = py + (sy + 0.5) / SS - size / 2
                    c = shade(x, y, size)
                    acc[0] += c[0] * c[3]
                    acc[1] += c[1] * c[3]
                    acc[2] += c[2] * c[3]
                    acc[3] += c[3]
            a = acc[3] / (SS * SS)
            if a > 0:
                row += bytes(min(255, max(0, round(v))) for v in
                             (acc[0] / acc[3], acc[1] / acc[3], acc[2] / acc[3], a))
            else:
                row += bytes(4)
        rows.append(bytes(row))
    return rows


def png(size, rows):
    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))
    raw = b"".join(b"\0" + r for r in rows)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def dib(size, rows):
    """Uncompressed 32-bit entry, which every loader reads, for the small sizes."""
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b"".join(bytes(p for i in range(0, len(r), 4) for p in (r[i + 2], r[i + 1], r[i], r[i + 3]))
                      for r in reversed(rows))
    mask_row = ((size + 31) // 32) * 4
    return header + pixels + bytes(mask_row * size)


def main():
    images = []
    for size in SIZES:
        rows = render(size)
        images.append((size, png(size, rows) if size >= 96 else dib(size, rows)))
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in images:
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    out += b"".join(data for _, data in images)
    with open(__file__.rsplit("/", 1)[0] + "/Velmora.ico", "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main()
