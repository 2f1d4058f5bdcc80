#!/usr/bin/env python3
"""Make the 16 x 16 flag bitmaps shown beside each language in the menu.

Source: Debian's public-domain famfamfam flag set (package famfamfam-flag-png),
16 x 11 PNGs named by ISO country code. Output: "<culture>.bmp", 24-bit
bottom-up BI_RGB, flag on rows 2-12 with white around it (the program shows
pure white as transparent).

    make_flags.py [SRC [OUT]]            write the bitmaps
    make_flags.py [SRC [OUT]] --check    verify what is in OUT
    make_flags.py [SRC [OUT]] --contact sheet.png   draw all of OUT at 4x
"""
import argparse
import os
import re
import struct
import sys
import zlib

DEFAULT_SRC = "/usr/share/flags/countries/16x11"
# The repository's Flags folder, which the builds lay out beside the program.
DEFAULT_OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "Flags")
SIZE = 16
TOP = 2        # white rows above the flag; 16 - 2 - 11 = 3 below
BAND = 11      # flag height in the set
WHITE = (255, 255, 255)

# The program's language table: translation code -> Windows language identifier.
LANGUAGES = [
    ("af", 1078), ("sq", 1052), ("ar-sa", 1025), ("ar-iq", 2049), ("ar-eg", 3073),
    ("ar-ly", 4097), ("ar-dz", 5121), ("ar-ma", 6145), ("ar-tn", 7169), ("ar-om", 8193),
    ("ar-ye", 9217), ("ar-sy", 10241), ("ar-jo", 11265), ("ar-lb", 12289), ("ar-kw", 13313),
    ("ar-ae", 14337), ("ar-bh", 15361), ("ar-qa", 16385), ("hy", 1067), ("eu", 1069),
    ("bg", 1026), ("be", 1059), ("ca", 1027), ("zh-tw", 1028), ("zh-cn", 2052),
    ("zh-hk", 3076), ("zh-sg", 4100), ("hr", 1050), ("cs", 1029), ("da", 1030),
    ("nl", 1043), ("nl-nl", 1043), ("nl-be", 2067), ("en", 9), ("en-us", 1033),
    ("en-gb", 2057), ("en-au", 3081), ("en-ca", 4105), ("en-nz", 5129), ("en-ie", 6153),
    ("en-za", 7177), ("en-jm", 8201), ("en-bz", 10249), ("en-tt", 11273), ("et", 1061),
    ("fo", 1080), ("fa", 1065), ("fi", 1035), ("fr", 1036), ("fr-be", 2060),
    ("fr-ca", 3084), ("fr-ch", 4108), ("fr-lu", 5132), ("mk", 1071), ("gd", 1084),
    ("gd-ie", 2108), ("de", 1031), ("de-ch", 2055), ("de-at", 3079), ("de-lu", 4103),
    ("de-li", 5127), ("el", 1032), ("he", 1037), ("hi", 1081), ("hu", 1038),
    ("is", 1039), ("in", 1057), ("it", 1040), ("it-ch", 2064), ("ja", 1041),
    ("ko", 1042), ("lv", 1062), ("lt", 1063), ("ms", 1086), ("mt", 1082),
    ("no", 1044), ("nn-no", 2068), ("pl", 1045), ("pt-br", 1046), ("pt", 2070),
    ("rm", 1047), ("ro", 1048), ("ro-mo", 2072), ("ru", 1049), ("ru-mo", 2073),
    ("sz", 1083), ("sr", 3098), ("sk", 1051), ("s", 1060), ("sb", 1070),
    ("es", 1034), ("es-mx", 2058), ("es-gt", 4106), ("es-cr", 5130), ("es-pa", 6154),
    ("es-do", 7178), ("es-ve", 8202), ("es-co", 9226), ("es-pe", 10250), ("es-ar", 11274),
    ("es-ec", 12298), ("es-c", 13322), ("es-uy", 14346), ("es-py", 15370), ("es-bo", 16394),
    ("es-sv", 17418), ("es-hn", 18442), ("es-ni", 19466), ("es-pr", 20490), ("sx", 1072),
    ("sv", 1053), ("sv-fi", 2077), ("th", 1054), ("ts", 1073), ("tn", 1074),
    ("tr", 1055), ("uk", 1058), ("ur", 1056), ("ve", 1075), ("vi", 1066),
    ("xh", 1076), ("ji", 1085), ("zu", 1077), ("ge", 1079), ("ka-ge", 1079),
    ("sl", 1060), ("sl-si", 1060), ("kk-kz", 1087),
]

# Culture name Windows gives each identifier (LCIDToLocaleName, lower-cased).
# None: no country in the name, so no flag.
CULTURES = {
    9: None,               # neutral English
    1085: None,            # Yiddish is "yi-001" (world), not a country
    1025: "ar-sa", 2049: "ar-iq", 3073: "ar-eg", 4097: "ar-ly", 5121: "ar-dz",
    6145: "ar-ma", 7169: "ar-tn", 8193: "ar-om", 9217: "ar-ye", 10241: "ar-sy",
    11265: "ar-jo", 12289: "ar-lb", 13313: "ar-kw", 14337: "ar-ae", 15361: "ar-bh",
    16385: "ar-qa",
    1026: "bg-bg", 1027: "ca-es", 1028: "zh-tw", 2052: "zh-cn", 3076: "zh-hk",
    4100: "zh-sg", 1029: "cs-cz", 1030: "da-dk", 1031: "de-de", 2055: "de-ch",
    3079: "de-at", 4103: "de-lu", 5127: "de-li", 1032: "el-gr",
    1033: "en-us", 2057: "en-gb", 3081: "en-au", 4105: "en-ca", 5129: "en-nz",
    6153: "en-ie", 7177: "en-za", 8201: "en-jm", 10249: "en-bz", 11273: "en-tt",
    1034: "es-es",         # Windows says "es-ES_tradnl" (traditional sort); same flag
    2058: "es-mx", 4106: "es-gt", 5130: "es-cr", 6154: "es-pa", 7178: "es-do",
    8202: "es-ve", 9226: "es-co", 10250: "es-pe", 11274: "es-ar", 12298: "es-ec",
    13322: "es-cl", 14346: "es-uy", 15370: "es-py", 16394: "es-bo", 17418: "es-sv",
    18442: "es-hn", 19466: "es-ni", 20490: "es-pr",
    1035: "fi-fi", 1036: "fr-fr", 2060: "fr-be", 3084: "fr-ca", 4108: "fr-ch",
    5132: "fr-lu", 1037: "he-il", 1038: "hu-hu", 1039: "is-is", 1040: "it-it",
    2064: "it-ch", 1041: "ja-jp", 1042: "ko-kr", 1043: "nl-nl", 2067: "nl-be",
    1044: "nb-no", 2068: "nn-no", 1045: "pl-pl", 1046: "pt-br", 2070: "pt-pt",
    1047: "rm-ch", 1048: "ro-ro", 2072: "ro-md", 1049: "ru-ru", 2073: "ru-md",
    1050: "hr-hr", 1051: "sk-sk", 1052: "sq-al", 1053: "sv-se", 2077: "sv-fi",
    1054: "th-th", 1055: "tr-tr", 1056: "ur-pk", 1057: "id-id", 1058: "uk-ua",
    1059: "be-by", 1060: "sl-si", 1061: "et-ee", 1062: "lv-lv", 1063: "lt-lt",
    1065: "fa-ir", 1066: "vi-vn", 1067: "hy-am", 1069: "eu-es", 1070: "hsb-de",
    1071: "mk-mk", 1072: "st-za", 1073: "ts-za", 1074: "tn-za", 1075: "ve-za",
    1076: "xh-za", 1077: "zu-za", 1078: "af-za", 1079: "ka-ge", 1080: "fo-fo",
    1081: "hi-in", 1082: "mt-mt", 1083: "se-no", 1084: "gd-gb", 2108: "ga-ie",
    1086: "ms-my", 1087: "kk-kz",
    3098: "sr-cyrl-cs",    # Serbian (Cyrillic), Serbia and Montenegro (former)
}

# Bare language codes whose "<lang>-*" fallback would pick the wrong country.
BARE = {"en": "gb", "sv": "se"}

# Old country codes in culture names -> the file in the set.
# "mo" there is Macao; Windows' old "-mo" meant Moldova. "cs" (Serbia and
# Montenegro) is only used for Serbian, so show Serbia.
OLD_COUNTRY = {"mo": "md", "cs": "rs"}

NAME_RE = re.compile(r"^[a-z]{2,3}(?:-[a-z]{4})?-([a-z]{2})$")


def wanted():
    """Return {bmp name (no extension): country code}."""
    out = {}
    for code, lcid in LANGUAGES:
        m = NAME_RE.match(code)
        if m:
            out[code] = m.group(1)
        if lcid not in CULTURES:
            sys.exit(f"no culture name for identifier {lcid} ({code})")
        name = CULTURES[lcid]
        if name:
            out[name] = NAME_RE.match(name).group(1)
    out.update(BARE)
    return {k: OLD_COUNTRY.get(v, v) for k, v in sorted(out.items())}


# ---------------------------------------------------------------- PNG

def read_png(path):
    """Decode an 8-bit, non-interlaced PNG to rows of RGBA tuples."""
    data = open(path, "rb").read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError("not a PNG")
    pos, idat, palette, trns = 8, b"", None, None
    while pos < len(data):
        n, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + n]
        pos += 12 + n
        if kind == b"IHDR":
            w, h, depth, ctype, _, _, interlace = struct.unpack(">IIBBBBB", body)
        elif kind == b"PLTE":
            palette = [tuple(body[i:i + 3]) for i in range(0, n, 3)]
        elif kind == b"tRNS":
            trns = body
        elif kind == b"IDAT":
            idat += body
        elif kind == b"IEND":
            break
    channels = {0: 1, 2: 3, 3: 1, 4: 2, 6: 4}[ctype]
    if depth != 8 or interlace:
        raise ValueError(f"unsupported PNG (depth {depth}, interlace {interlace})")
    raw, bpp, stride = zlib.decompress(idat), channels, w * channels
    rows, prev = [], bytearray(stride)
    for y in range(h):
        f = raw[y * (stride + 1)]
        line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            a = line[i - bpp] if i >= bpp else 0
            b = prev[i]
            c = prev[i - bpp] if i >= bpp else 0
            if f == 1:
                line[i] = (line[i] + a) & 255
            elif f == 2:
                line[i] = (line[i] + b) & 255
            elif f == 3:
                line[i] = (line[i] + (a + b) // 2) & 255
            elif f == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                line[i] = (line[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        prev = line
        row = []
        for x in range(w):
            px = line[x * bpp:(x + 1) * bpp]
            if ctype == 0:
                rgba = (px[0],) * 3 + (255,)
            elif ctype == 4:
                rgba = (px[0],) * 3 + (px[1],)
            elif ctype == 2:
                rgba = tuple(px) + (255,)
            elif ctype == 6:
                rgba = tuple(px)
            else:
                k = px[0]
                rgba = palette[k] + ((trns[k] if trns and k < len(trns) else 255),)
            row.append(rgba)
        rows.append(row)
    return rows


def over_white(rgba):
    r, g, b, a = rgba
    return tuple((c * a + 255 * (255 - a) + 127) // 255 for c in (r, g, b))


def write_png(path, pixels):
    """pixels: rows of RGB tuples."""
    raw = b"".join(b"\0" + bytes(v for px in row for v in px) for row in pixels)

    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))
    hdr = struct.pack(">IIBBBBB", len(pixels[0]), len(pixels), 8, 2, 0, 0, 0)
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", hdr) + chunk(b"IDAT", zlib.compress(raw, 9))
                + chunk(b"IEND", b""))


# ---------------------------------------------------------------- BMP

ROW_BYTES = (SIZE * 3 + 3) & ~3
IMAGE_BYTES = ROW_BYTES * SIZE
PPM = 3780  # 96 dpi


def flag_tile(png_rows):
    """Place a flag of at most 16 x 11 on a white 16 x 16 tile (top-down rows)."""
    h, w = len(png_rows), len(png_rows[0])
    if w > SIZE or h > BAND:
        raise ValueError(f"{w} x {h} is larger than {SIZE} x {BAND}")
    tile = [[WHITE] * SIZE for _ in range(SIZE)]
    x0, y0 = (SIZE - w) // 2, TOP + (BAND - h) // 2  # narrow flags (ch, np) are centred
    for y, row in enumerate(png_rows):
        for x, px in enumerate(row):
            tile[y0 + y][x0 + x] = over_white(px)
    return tile


def bmp_bytes(tile):
    body = b"".join(
        bytes(v for r, g, b in row for v in (b, g, r)).ljust(ROW_BYTES, b"\0")
        for row in reversed(tile))  # bottom-up
    info = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE, 1, 24, 0, IMAGE_BYTES, PPM, PPM, 0, 0)
    head = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(body), 0, 0, 14 + 40)
    return head + info + body


def read_bmp(path):
    """Strictly check our own bitmap format; return top-down rows of RGB."""
    d = open(path, "rb").read()
    magic, fsize, r1, r2, off = struct.unpack("<2sIHHI", d[:14])
    (isz, w, h, planes, bits, comp, imgsz, xppm, yppm, used,
     important) = struct.unpack("<IiiHHIIiiII", d[14:54])
    got = (magic, fsize, r1, r2, off, isz, w, h, planes, bits, comp, imgsz, xppm, yppm, used, important)
    want = (b"BM", 54 + IMAGE_BYTES, 0, 0, 54, 40, SIZE, SIZE, 1, 24, 0, IMAGE_BYTES, PPM, PPM, 0, 0)
    if got != want or len(d) != fsize:
        raise ValueError(f"header {got} (length {len(d)}), expected {want}")
    rows = []
    for y in range(SIZE):
        line = d[off + y * ROW_BYTES:off + (y + 1) * ROW_BYTES]
        if any(line[SIZE * 3:]):
            raise ValueError(f"row padding not zero in stored row {y}")
        rows.append([(line[3 * x + 2], line[3 * x + 1], line[3 * x]) for x in range(SIZE)])
    return rows[::-1]


# ---------------------------------------------------------------- tasks

def make(src, out):
    os.makedirs(out, exist_ok=True)
    written, skipped = [], []
    for name, country in wanted().items():
        png = os.path.join(src, country + ".png")
        if not os.path.exists(png):
            skipped.append(f"{name} (no {country}.png)")
            print(f"skip {name}: the set has no flag for country '{country}'")
            continue
        with open(os.path.join(out, name + ".bmp"), "wb") as f:
            f.write(bmp_bytes(flag_tile(read_png(png))))
        written.append(name)
    print(f"{len(written)} flags written to {out}; skipped {len(skipped)}: "
          + (", ".join(skipped) or "none"))
    return True


def lookup(code, files):
    """Which file the program would load for translation `code`."""
    lang = code.split("-")[0]
    for name in (code, f"{lang}-{lang}"):
        if name in files:
            return name
    matches = sorted((f for f in files if f.startswith(lang + "-")), key=str.lower)
    return matches[0] if matches else None


def check(src, out):
    problems = 0
    files = {f[:-4].lower(): f for f in os.listdir(out) if f.lower().endswith(".bmp")}
    expect = wanted()
    for name in sorted(set(expect) - set(files)):
        print(f"MISSING {name}.bmp")
        problems += 1
    for name in sorted(set(files) - set(expect)):
        print(f"extra file {files[name]}")
    for name in sorted(files):
        try:
            rows = read_bmp(os.path.join(out, files[name]))
            bad = [y for y in (0, 1, 13, 14, 15) if any(px != WHITE for px in rows[y])]
            if bad:
                raise ValueError(f"rows {bad} are not white")
            if name in expect:
                if rows != flag_tile(read_png(os.path.join(src, expect[name] + ".png"))):
                    raise ValueError(f"pixels differ from {expect[name]}.png")
        except ValueError as e:
            print(f"BAD {files[name]}: {e}")
            problems += 1
    # What each translation in the table ends up showing.
    odd = []
    for code, lcid in LANGUAGES:
        got = lookup(code, files)
        culture = CULTURES.get(lcid)
        meant = BARE.get(code) or (culture and expect.get(culture))
        if got is None or (meant and expect.get(got) != meant):
            odd.append(f"{code}->{got or 'none'}")
    print("table codes with no flag or another country's: " + (", ".join(odd) or "none"))
    print(f"{len(files)} bitmaps checked, {problems} problems")
    return problems == 0


FONT = dict(zip("ABCDEFGHIJKLMNOPQRSTUVWXYZ-", (
    "25755 65656 34443 65556 74647 74644 34553 55755 72227 11152 55655 44447 57755 "
    "65555 25552 65644 25563 65655 34216 72222 55557 55552 55775 55255 55222 71247 00700").split()))


def contact(out, path, scale=4, cols=12):
    names = sorted(f for f in os.listdir(out) if f.lower().endswith(".bmp"))
    tile, cw, ch = SIZE * scale, 84, SIZE * scale + 22
    rows_n = (len(names) + cols - 1) // cols
    img = [[(128, 128, 128)] * (cols * cw) for _ in range(rows_n * ch + 4)]
    for i, fname in enumerate(names):
        ox, oy = (i % cols) * cw, (i // cols) * ch + 4
        px = read_bmp(os.path.join(out, fname))
        for y in range(tile):
            for x in range(tile):
                img[oy + y][ox + (cw - tile) // 2 + x] = px[y // scale][x // scale]
        label = fname[:-4].upper()
        lx = ox + (cw - len(label) * 8 + 2) // 2
        for k, ch_ in enumerate(label):
            glyph = FONT.get(ch_, "00000")
            for gy in range(10):
                bits = int(glyph[gy // 2])
                for gx in range(6):
                    if bits & (4 >> (gx // 2)):
                        img[oy + tile + 4 + gy][lx + k * 8 + gx] = (0, 0, 0)
    write_png(path, img)
    print(f"contact sheet of {len(names)} flags: {path}")


def main():
    ap = argparse.ArgumentParser(description="Make the language menu's 16 x 16 flag bitmaps.")
    ap.add_argument("src", nargs="?", default=DEFAULT_SRC, help=f"16 x 11 PNG folder ({DEFAULT_SRC})")
    ap.add_argument("out", nargs="?", default=DEFAULT_OUT, help=f"output folder ({DEFAULT_OUT})")
    ap.add_argument("--check", action="store_true", help="verify the bitmaps in OUT, write nothing")
    ap.add_argument("--contact", metavar="PNG", help="draw the bitmaps in OUT at 4x into PNG")
    a = ap.parse_args()
    if a.check or a.contact:
        ok = check(a.src, a.out) if a.check else True
        if a.contact:
            contact(a.out, a.contact)
    else:
        ok = make(a.src, a.out)
    sys.exit(0 if ok else 1)


if __name__ == "__main__":
    main()
