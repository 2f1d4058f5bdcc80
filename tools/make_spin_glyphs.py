#!/usr/bin/env python3
"""Writes the spin buttons' arrow glyphs, SpinUp.bmp and SpinDown.bmp, the bitmap resources
of the program: 9 x 6 pixels, a black triangle on white, white being the transparent colour
(the bottom-left pixel). The rows are those of the widgets' built-in glyph; a test compares
the two."""

import struct
import sys
from pathlib import Path

# From the top: empty, then 1, 3, 5 and 7 black pixels centred on column 4, then empty.
UP_ROWS = [0x000, 0x010, 0x038, 0x07C, 0x0FE, 0x000]
WIDTH, HEIGHT = 9, 6


def bmp(rows):
    row_bytes = (WIDTH * 3 + 3) // 4 * 4
    pixels = bytearray()
    for bits in reversed(rows):  # bottom-up
        for x in range(WIDTH):
            pixels += b"\x00\x00\x00" if (bits >> x) & 1 else b"\xff\xff\xff"
        pixels += b"\x00" * (row_bytes - WIDTH * 3)
    header = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 24, 0, len(pixels), 3780, 3780, 0, 0)
    file_header = struct.pack("<2sIHHI", b"BM", 14 + len(header) + len(pixels), 0, 0, 14 + len(header))
    return file_header + header + bytes(pixels)


def main():
    folder = Path(sys.argv[1] if len(sys.argv) > 1 else Path(__file__).parent.parent / "src/platform/win32/resources")
    (folder / "SpinUp.bmp").write_bytes(bmp(UP_ROWS))
    (folder / "SpinDown.bmp").write_bytes(bmp(list(reversed(UP_ROWS))))


if __name__ == "__main__":
    main()
