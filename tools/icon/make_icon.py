#!/usr/bin/env python3
"""Render the Korvalen Barlume icon from a JSON shape list into a multi-size .ico.

Usage:
    make_icon.py [icon.json] [korvalen_barlume.ico] [--preview DIR]
    make_icon.py --check [icon.json] [korvalen_barlume.ico]

By default it reads icon.json beside it and writes the program's icon resource,
src/platform/win32/resources/korvalen_barlume.ico.
Python 3 standard library only.
"""
import argparse
import json
import math
import os
import struct
import sys
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
# The program's resources, where the icon is built into the executable from.
RESOURCES = os.path.join(HERE, "..", "..", "src", "platform", "win32", "resources")
SIZES = [16, 20, 24, 32, 40, 48, 64, 256]
SUBROWS = 16  # vertical samples per pixel; horizontal coverage is exact
PNG_SIG = b"\x89PNG\r\n\x1a\n"


# ---------------------------------------------------------------- colours

def parse_colour(text):
    """'#RRGGBB' or '#RRGGBBAA' -> (r, g, b, a) floats in 0..1."""
    h = text.lstrip("#")
    if len(h) == 6:
        h += "ff"
    return tuple(int(h[i:i + 2], 16) / 255.0 for i in (0, 2, 4, 6))


class Paint:
    """Solid colour or linear gradient; positions are in design units."""

    def __init__(self, item):
        if isinstance(item, str):
            self.solid = parse_colour(item)
            return
        self.solid = None
        self.x0, self.y0, x1, y1 = item["linear"]
        self.dx, self.dy = x1 - self.x0, y1 - self.y0
        self.len2 = self.dx * self.dx + self.dy * self.dy or 1.0
        self.stops = [(float(t), parse_colour(c)) for t, c in item["stops"]]

    def at(self, x, y):
        if self.solid:
            return self.solid
        t = ((x - self.x0) * self.dx + (y - self.y0) * self.dy) / self.len2
        stops = self.stops
        if t <= stops[0][0]:
            return stops[0][1]
        for (t0, c0), (t1, c1) in zip(stops, stops[1:]):
            if t <= t1:
                f = (t - t0) / (t1 - t0) if t1 > t0 else 0.0
                return tuple(a + (b - a) * f for a, b in zip(c0, c1))
        return stops[-1][1]


# ---------------------------------------------------------------- shapes

def snap(v):
    return math.floor(v + 0.5)


class Shape:
    """A rounded rectangle or ellipse, already scaled to pixel units."""

    def __init__(self, item, scale, do_snap):
        self.kind = item.get("type", "rect")
        x, y, w, h = item["box"]
        x0, y0, x1, y1 = x * scale, y * scale, (x + w) * scale, (y + h) * scale
        if do_snap and self.kind == "rect":
            # snap origin and size apart so equal boxes stay equal
            x0, y0 = snap(x0), snap(y0)
            x1, y1 = x0 + max(1, snap(w * scale)), y0 + max(1, snap(h * scale))
        self.x0, self.y0, self.x1, self.y1 = x0, y0, x1, y1
        r = item.get("radius", 0) * scale
        self.r = max(0.0, min(r, (x1 - x0) / 2, (y1 - y0) / 2))

    def span(self, y):
        """Horizontal extent [a, b) of the shape on the line at height y, or None."""
        if y < self.y0 or y >= self.y1:
            return None
        if self.kind == "ellipse":
            rx, ry = (self.x1 - self.x0) / 2, (self.y1 - self.y0) / 2
            cx, cy = self.x0 + rx, self.y0 + ry
            t = (y - cy) / ry
            half = rx * math.sqrt(max(0.0, 1 - t * t))
            return cx - half, cx + half
        r, inset = self.r, 0.0
        if r > 0:
            dy = max(self.y0 + r - y, y - (self.y1 - r), 0.0)
            inset = r - math.sqrt(max(0.0, r * r - dy * dy))
        return self.x0 + inset, self.x1 - inset


def coverage(shape, clips, size):
    """Per-pixel coverage rows (0..1) of shape intersected with its clip shapes."""
    w = 1.0 / SUBROWS
    rows = []
    for py in range(size):
        cov = [0.0] * (size + 2)
        diff = [0.0] * (size + 2)  # running sum marks fully covered pixels
        for s in range(SUBROWS):
            y = py + (s + 0.5) * w
            sp = shape.span(y)
            for c in clips:
                if sp is None:
                    break
                cs = c.span(y)
                sp = None if cs is None else (max(sp[0], cs[0]), min(sp[1], cs[1]))
            if sp is None:
                continue
            a, b = max(sp[0], 0.0), min(sp[1], float(size))
            if b <= a:
                continue
            ia, ib = int(a), int(b)
            if ia == ib:
                cov[ia] += (b - a) * w
            else:
                cov[ia] += (ia + 1 - a) * w
                diff[ia + 1] += w
                diff[ib] -= w
                cov[ib] += (b - ib) * w
        run, row = 0.0, []
        for x in range(size):
            run += diff[x]
            row.append(min(1.0, cov[x] + run))
        rows.append(row)
    return rows


def pick_design(desc, size):
    for d in desc["designs"]:
        if size <= d["max_size"]:
            return d
    return desc["designs"][-1]


def render(desc, size):
    """Return size x size straight-alpha RGBA bytes, top row first."""
    design = pick_design(desc, size)
    scale = size / float(design["units"])
    snap_rule = design.get("snap", False)  # true, false, or the largest size to snap at
    do_snap = snap_rule is True or (snap_rule is not False and size <= snap_rule)
    canvas = [[0.0, 0.0, 0.0, 0.0] for _ in range(size * size)]  # premultiplied
    by_id = {}
    for item in design["shapes"]:
        if size < item.get("min_size", 0):
            continue
        shape = Shape(item, scale, do_snap)
        if "id" in item:
            by_id[item["id"]] = shape
        clip = item.get("clip", [])
        clips = [by_id[c] for c in ([clip] if isinstance(clip, str) else clip)]
        paint = Paint(item["fill"])
        opacity = item.get("opacity", 1.0)
        for py, row in enumerate(coverage(shape, clips, size)):
            for px, cv in enumerate(row):
                if cv <= 0.0:
                    continue
                r, g, b, a = paint.at((px + 0.5) / scale, (py + 0.5) / scale)
                a *= cv * opacity
                dst = canvas[py * size + px]
                k = 1.0 - a
                dst[0] = r * a + dst[0] * k
                dst[1] = g * a + dst[1] * k
                dst[2] = b * a + dst[2] * k
                dst[3] = a + dst[3] * k
    out = bytearray()
    for r, g, b, a in canvas:
        a8 = snap(a * 255)
        if a8 == 0:
            out += b"\0\0\0\0"
        else:
            out += bytes(min(255, snap(c / a * 255)) for c in (r, g, b)) + bytes([a8])
    return bytes(out)


# ---------------------------------------------------------------- encoders

def png_bytes(rgba, width, height):
    def chunk(tag, data):
        return struct.pack(">I", len(data)) + tag + data + struct.pack(">I", zlib.crc32(tag + data))
    stride = width * 4
    raw = b"".join(b"\0" + rgba[y * stride:(y + 1) * stride] for y in range(height))
    return (PNG_SIG + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def mask_stride(size):
    return ((size + 31) // 32) * 4


def dib_bytes(rgba, size):
    """BITMAPINFOHEADER + bottom-up BGRA + 1-bit AND mask (set where transparent)."""
    xor = bytearray()
    mask = bytearray()
    ms = mask_stride(size)
    for y in reversed(range(size)):
        bits = bytearray(ms)
        for x in range(size):
            r, g, b, a = rgba[(y * size + x) * 4:(y * size + x) * 4 + 4]
            xor += bytes((b, g, r, a))
            if a == 0:
                bits[x >> 3] |= 0x80 >> (x & 7)
        mask += bits
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0,
                         len(xor) + len(mask), 0, 0, 0, 0)
    return header + bytes(xor) + bytes(mask)


def ico_bytes(images):
    """images: list of (size, payload) in increasing size."""
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    body = b""
    for size, data in images:
        dim = 0 if size >= 256 else size
        out += struct.pack("<BBBBHHII", dim, dim, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
        body += data
    return out + body


# ---------------------------------------------------------------- previews

def blit(sheet, sw, img, size, ox, oy, zoom=1):
    """Composite straight-alpha img onto an opaque RGB sheet (bytearray)."""
    for y in range(size * zoom):
        for x in range(size * zoom):
            i = ((y // zoom) * size + x // zoom) * 4
            a = img[i + 3]
            if a == 0:
                continue
            j = ((oy + y) * sw + ox + x) * 4
            for c in range(3):
                sheet[j + c] = (img[i + c] * a + sheet[j + c] * (255 - a) + 127) // 255


def write_previews(images, folder):
    os.makedirs(folder, exist_ok=True)
    for size, rgba in images.items():
        with open(os.path.join(folder, "icon_%d.png" % size), "wb") as f:
            f.write(png_bytes(rgba, size, size))
    # backgrounds: light and dark taskbar, plus a coloured one as the app would make it
    backs = [(0xee, 0xee, 0xee), (0x10, 0x10, 0x10), (0x1f, 0x6f, 0xc8)]
    small = [s for s in SIZES if s <= 32]
    pad = 16
    band1 = 256 + 2 * pad
    band2 = 8 * max(small) + 2 * pad
    width = max(sum(SIZES) + pad * (len(SIZES) + 1), sum(8 * s for s in small) + pad * (len(small) + 1))
    height = len(backs) * (band1 + band2)
    sheet = bytearray(width * height * 4)
    for b, colour in enumerate(backs):
        top = b * (band1 + band2)
        for y in range(top, top + band1 + band2):
            for x in range(width):
                sheet[(y * width + x) * 4:(y * width + x) * 4 + 4] = bytes(colour) + b"\xff"
        x = pad
        for s in SIZES:
            blit(sheet, width, images[s], s, x, top + pad + (256 - s) // 2)
            x += s + pad
        x = pad
        for s in small:
            blit(sheet, width, images[s], s, x, top + band1 + pad, 8)
            x += 8 * s + pad
    with open(os.path.join(folder, "sheet.png"), "wb") as f:
        f.write(png_bytes(bytes(sheet), width, height))


# ---------------------------------------------------------------- check

def check(path, desc=None):
    """Re-read the .ico and verify its structure; returns a list of problems."""
    data = open(path, "rb").read()
    errors = []
    reserved, kind, count = struct.unpack_from("<HHH", data, 0)
    if (reserved, kind, count) != (0, 1, len(SIZES)):
        errors.append("header: reserved=%d type=%d count=%d" % (reserved, kind, count))
    end = 6 + 16 * count
    for n in range(count):
        w, h, colours, res, planes, bpp, length, offset = struct.unpack_from("<BBBBHHII", data, 6 + 16 * n)
        size = w or 256
        want = SIZES[n] if n < len(SIZES) else None
        tag = "entry %d (%d px)" % (n, size)
        if w != h or size != want:
            errors.append("%s: size %dx%d, expected %s" % (tag, w, h, want))
        if colours or res or planes != 1 or bpp != 32:
            errors.append("%s: colours=%d reserved=%d planes=%d bpp=%d" % (tag, colours, res, planes, bpp))
        if offset != end or offset + length > len(data):
            errors.append("%s: offset %d length %d not contiguous" % (tag, offset, length))
        end = offset + length
        blob = data[offset:offset + length]
        if size == 256:
            if blob[:8] != PNG_SIG:
                errors.append(tag + ": missing PNG signature")
            elif struct.unpack_from(">4sIIBB", blob, 12) != (b"IHDR", 256, 256, 8, 6):
                errors.append(tag + ": PNG IHDR is not 256x256 8-bit RGBA")
            continue
        hdr = struct.unpack_from("<IiiHHIIiiII", blob, 0)
        xor_len, mask_len = size * size * 4, mask_stride(size) * size
        if hdr[:6] != (40, size, size * 2, 1, 32, 0):
            errors.append("%s: BITMAPINFOHEADER %r" % (tag, hdr[:6]))
        if length != 40 + xor_len + mask_len or hdr[6] not in (0, xor_len + mask_len):
            errors.append("%s: length %d, expected %d" % (tag, length, 40 + xor_len + mask_len))
            continue
        # the AND mask must be set exactly where alpha is 0
        for row in range(size):
            for x in range(size):
                a = blob[40 + (row * size + x) * 4 + 3]
                bit = blob[40 + xor_len + row * mask_stride(size) + (x >> 3)] & (0x80 >> (x & 7))
                if bool(bit) != (a == 0):
                    errors.append("%s: AND mask disagrees with alpha at (%d,%d)" % (tag, x, row))
                    break
            else:
                continue
            break
        if desc is not None:
            top_down = b"".join(blob[40 + (size - 1 - y) * size * 4:40 + (size - y) * size * 4]
                                for y in range(size))
            rgba = bytearray(top_down)
            rgba[0::4], rgba[2::4] = top_down[2::4], top_down[0::4]
            if bytes(rgba) != render(desc, size):
                errors.append(tag + ": pixels differ from a fresh render")
    if end != len(data):
        errors.append("file has %d trailing bytes" % (len(data) - end))
    return errors


# ---------------------------------------------------------------- main

def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("description", nargs="?", default=os.path.join(HERE, "icon.json"))
    ap.add_argument("output", nargs="?", default=os.path.join(RESOURCES, "korvalen_barlume.ico"))
    ap.add_argument("--preview", default="",
                    help="folder for preview PNGs (none by default)")
    ap.add_argument("--check", action="store_true",
                    help="verify an existing .ico instead of writing one")
    args = ap.parse_args()
    with open(args.description) as f:
        desc = json.load(f)

    if args.check:
        errors = check(args.output, desc)
        for e in errors:
            print("FAIL:", e)
        print("%s: %s" % (args.output, "OK" if not errors else "%d problem(s)" % len(errors)))
        return 1 if errors else 0

    images = {s: render(desc, s) for s in SIZES}
    payloads = [(s, png_bytes(images[s], s, s) if s >= 256 else dib_bytes(images[s], s)) for s in SIZES]
    with open(args.output, "wb") as f:
        f.write(ico_bytes(payloads))
    print("wrote", args.output)
    if args.preview:
        write_previews(images, args.preview)
        print("wrote previews to", args.preview)
    return 0


if __name__ == "__main__":
    sys.exit(main())
