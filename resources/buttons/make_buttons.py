#!/usr/bin/env python3
"""Draws the progress dialog's button pictures: one 32x16, 16-colour BMP per button, the normal
picture on the left and the greyed one on the right. The bottom-left pixel's colour (fuchsia) is
the transparent background. Run from anywhere; writes next to this script."""
import math
import os
import struct

# The 16 colours of the standard palette, in palette order.
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
    (128, 128, 128), (192, 192, 192), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255),
    (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, MAROON, NAVY, GREY, SILVER, RED, BLUE, BACK, WHITE = 0, 1, 4, 7, 8, 9, 12, 13, 15
SIZE = 16


def blank():
    return [[BACK] * SIZE for _ in range(SIZE)]


def stop_sign():
    """A red ring around a white face with a dark exclamation mark."""
    img = blank()
    for y in range(SIZE):
        for x in range(SIZE):
            d = math.hypot(x - 7.5, y - 7.5)
            if d <= 7.2:
                img[y][x] = MAROON if d > 6.4 else RED if d > 4.6 else WHITE
    for y in list(range(3, 9)) + [10, 11]:
        img[y][7] = img[y][8] = BLACK
    return img


def exit_wedge():
    """A downward wedge, blue on the left and navy on the right, split by a red vertical line."""
    img = blank()
    for y in range(2, 15):
        half = (14 - y) * 7 // 12
        for x in range(8 - half - 1, 8 + half + 1):
            img[y][x] = BLUE if x < 8 else NAVY
    for y in range(0, 14):
        img[y][7] = img[y][8] = RED
    return img


def details_sheet():
    """A white sheet with lines of text standing on a grey base."""
    img = blank()
    for y in range(0, 12):
        for x in range(3, 13):
            edge = y in (0, 11) or x in (3, 12)
            img[y][x] = BLACK if edge else WHITE
    for y in (3, 5, 7, 9):
        for x in range(5, 11 if y != 9 else 9):
            img[y][x] = NAVY
    for y in range(12, 15):
        for x in range(1, 15):
            edge = y == 14 or x in (1, 14)
            img[y][x] = BLACK if edge else GREY
    return img


def greyed(img):
    """The disabled look: dark pixels in grey, with a white highlight below and to the right."""
    out = blank()
    for y in range(SIZE):
        for x in range(SIZE):
            c = img[y][x]
            if c == BACK:
                continue
            r, g, b = PALETTE[c]
            if 0.299 * r + 0.587 * g + 0.114 * b < 200:
                if y + 1 < SIZE and x + 1 < SIZE and out[y + 1][x + 1] == BACK:
                    out[y + 1][x + 1] = WHITE
                out[y][x] = GREY
    # The bottom-left pixel names the transparent colour of the whole picture.
    out[SIZE - 1][0] = BACK
    return out


def write_bmp(path, img):
    width, height = 2 * SIZE, SIZE
    row_bytes = (width * 4 + 31) // 32 * 4
    pixels = bytearray()
    for y in reversed(range(height)):  # bottom-up rows
        row = img[y]
        packed = bytearray((row[x] << 4) | row[x + 1] for x in range(0, width, 2))
        pixels += packed + bytes(row_bytes - len(packed))
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    offset = 14 + 40 + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 4, 0, len(pixels), 2835, 2835, 16, 16)
    with open(path, "wb") as f:
        f.write(header + info + palette + pixels)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    for name, draw in (("BDetenerProceso", stop_sign), ("BSalir", exit_wedge), ("SBVerDetalles", details_sheet)):
        normal = draw()
        grey = greyed(normal)
        write_bmp(os.path.join(here, name + ".bmp"), [normal[y] + grey[y] for y in range(SIZE)])


if __name__ == "__main__":
    main()
