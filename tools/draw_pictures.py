#!/usr/bin/python3
"""Draws the reader's pictures: the shipped skin folder and the pictures
compiled into the window design.

Usage: draw_pictures.py SKIN_OUT_DIR DESIGN_OUT_DIR

The output depends only on this script, Pillow and the DejaVu fonts, so a
rebuild gives the same files.
"""

import math
import struct
import sys
from pathlib import Path

from PIL import Image, ImageDraw, ImageFont

FONT_DIR = Path("/usr/share/fonts/truetype/dejavu")
SANS_BOLD = FONT_DIR / "DejaVuSans-Bold.ttf"
SANS = FONT_DIR / "DejaVuSans.ttf"
SERIF_BOLD = FONT_DIR / "DejaVuSerif-Bold.ttf"

# Pictures are drawn this many times larger and scaled down, which smooths
# their edges without any anti-aliasing support in the drawing calls.
SS = 4

STEEL_LIGHT = (150, 186, 216)
STEEL = (70, 130, 180)
STEEL_DARK = (28, 62, 98)
INK = (24, 52, 86)
BLUE = (30, 90, 200)
RED = (205, 30, 35)
GREEN = (40, 170, 60)
GLOW = (255, 196, 60)

# Skin file name and subject of each picture button, by index. Lamps (4, 5)
# lie in the skin root and have no lit picture.
BUTTONS = [
    ("back.jpg", "left"),
    ("forward.jpg", "right"),
    ("home.jpg", "house"),
    ("find.jpg", "magnifier"),
    ("green.jpg", "green_dot"),
    ("red.jpg", "red_dot"),
    ("minimize.jpg", "minimize"),
    ("close.jpg", "cross"),
    ("OK.gif", "ok"),
    ("cancel.gif", "cancel"),
    ("help.jpg", "help"),
    ("print.jpg", "printer"),
    ("copy.jpg", "wave"),
]
LAMPS = {"green_dot", "red_dot"}
WORDS = {"ok": "OK", "cancel": "Prekliči"}

ICON_SIZES = [16, 24, 32, 48, 64, 72]


def mix(a, b, t):
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


def scaled(points):
    return [(x * SS, y * SS) for x, y in points]


def box(x0, y0, x1, y1):
    return [x0 * SS, y0 * SS, x1 * SS, y1 * SS]


# --- glyphs, drawn on a 32-unit grid -------------------------------------

def glyph_left(d):
    d.polygon(scaled([(5, 16), (15, 6), (15, 12), (27, 12), (27, 20), (15, 20), (15, 26)]), fill=INK)


def glyph_right(d):
    d.polygon(scaled([(27, 16), (17, 6), (17, 12), (5, 12), (5, 20), (17, 20), (17, 26)]), fill=INK)


def glyph_house(d):
    d.polygon(scaled([(4, 16), (16, 5), (28, 16)]), fill=RED)
    d.rectangle(box(8, 15, 24, 27), fill=INK)
    d.rectangle(box(14, 19, 18, 27), fill=(235, 225, 200))


def glyph_magnifier(d):
    d.line(scaled([(18, 18), (27, 27)]), fill=INK, width=5 * SS)
    d.ellipse(box(5, 5, 21, 21), fill=(220, 236, 250), outline=INK, width=3 * SS)


def glyph_dot(colour):
    def draw(d):
        d.ellipse(box(6, 6, 26, 26), fill=mix(colour, (0, 0, 0), 0.35))
        d.ellipse(box(7, 7, 25, 25), fill=colour)
        d.ellipse(box(11, 9, 18, 15), fill=mix(colour, (255, 255, 255), 0.6))
    return draw


def glyph_minimize(d):
    d.polygon(scaled([(13, 5), (19, 5), (19, 12), (24, 12), (16, 20), (8, 12), (13, 12)]), fill=INK)
    d.rectangle(box(7, 23, 25, 27), fill=INK)


def glyph_cross(d):
    d.line(scaled([(8, 8), (24, 24)]), fill=BLUE, width=5 * SS)
    d.line(scaled([(24, 8), (8, 24)]), fill=BLUE, width=5 * SS)


def glyph_help(d):
    d.ellipse(box(4, 4, 28, 28), fill=(255, 255, 255), outline=(170, 170, 170), width=SS)
    d.rectangle(box(13.5, 8, 18.5, 24), fill=RED)
    d.rectangle(box(8, 13.5, 24, 18.5), fill=RED)


def glyph_printer(d):
    d.rectangle(box(10, 4, 22, 14), fill=(255, 255, 255), outline=INK, width=SS)
    d.rounded_rectangle(box(4, 12, 28, 23), radius=2 * SS, fill=(80, 88, 100))
    d.ellipse(box(23, 15, 25, 17), fill=GREEN)
    d.rectangle(box(9, 19, 23, 28), fill=(255, 255, 255), outline=INK, width=SS)
    for y in (22, 25):
        d.line(scaled([(12, y), (20, y)]), fill=INK, width=SS)


def glyph_wave(d):
    for offset in (-4, 4):
        points = [(x / 2, 16 + offset + 4 * math.sin((x / 2 - 5) * math.pi / 6)) for x in range(10, 55)]
        d.line(scaled(points), fill=BLUE, width=3 * SS, joint="curve")


GLYPHS = {
    "left": glyph_left,
    "right": glyph_right,
    "house": glyph_house,
    "magnifier": glyph_magnifier,
    "green_dot": glyph_dot(GREEN),
    "red_dot": glyph_dot(RED),
    "minimize": glyph_minimize,
    "cross": glyph_cross,
    "help": glyph_help,
    "printer": glyph_printer,
    "wave": glyph_wave,
}


# --- pictures ---------------------------------------------------------------

def tile(width, height, lit):
    """The face of a button: a silver-blue rounded plate; lit, it is brighter
    and ringed with a warm glow."""
    big = Image.new("RGB", (width * SS, height * SS), STEEL)
    d = ImageDraw.Draw(big)
    top, bottom = ((255, 252, 235), (250, 226, 160)) if lit else ((236, 242, 248), STEEL_LIGHT)
    for y in range(height * SS):
        d.line([(0, y), (width * SS, y)], fill=mix(top, bottom, y / (height * SS - 1)))
    border = GLOW if lit else STEEL_DARK
    d.rounded_rectangle(box(0.5, 0.5, width - 0.5, height - 0.5), radius=5 * SS,
                        outline=border, width=(2 if lit else 1) * SS)
    return big, d


def button_picture(subject, lit):
    if subject in LAMPS:
        big = Image.new("RGB", (32 * SS, 32 * SS), STEEL)
        GLYPHS[subject](ImageDraw.Draw(big))
    else:
        big, d = tile(32, 32, lit)
        GLYPHS[subject](d)
    return big.resize((32, 32), Image.LANCZOS)


def fitting_font(text, path, width, size):
    while True:
        font = ImageFont.truetype(str(path), size)
        left, _, right, _ = font.getbbox(text)
        if right - left <= width or size <= 6:
            return font
        size -= 1


def word_picture(word, lit):
    big, d = tile(64, 32, lit)
    font = fitting_font(word, SANS_BOLD, 56 * SS, 15 * SS)
    d.text((32 * SS, 16 * SS), word, font=font, fill=INK, anchor="mm")
    small = big.resize((64, 32), Image.LANCZOS)
    return small.convert("P", palette=Image.ADAPTIVE, colors=64)


def picture(subject, lit):
    if subject in WORDS:
        return word_picture(WORDS[subject], lit)
    return button_picture(subject, lit)


BAYER4 = [[0, 8, 2, 10], [12, 4, 14, 6], [3, 11, 1, 9], [15, 7, 13, 5]]


def strip_colour(x, y, width, height):
    across = mix((96, 150, 196), STEEL_DARK, x / (width - 1))
    sheen = 1.25 - 0.45 * (y / (height - 1))
    return tuple(min(255.0, c * sheen) for c in across)


def strip_picture(width=1600, height=36):
    img = Image.new("RGB", (width, height))
    img.putdata([tuple(round(c) for c in strip_colour(x, y, width, height))
                 for y in range(height) for x in range(width)])
    return img


def write_bmp16(path, width=1600, height=36):
    """A 16-bit (5-5-5) bitmap of the strip, ordered-dithered so the gradient
    does not band in 32 steps per channel."""
    row_bytes = (width * 2 + 3) // 4 * 4
    rows = []
    for y in reversed(range(height)):
        row = bytearray()
        for x in range(width):
            threshold = (BAYER4[y % 4][x % 4] + 0.5) / 16 * 8
            r, g, b = (min(31, int((c + threshold) // 8)) for c in strip_colour(x, y, width, height))
            row += struct.pack("<H", (r << 10) | (g << 5) | b)
        rows.append(bytes(row.ljust(row_bytes, b"\0")))
    pixels = b"".join(rows)
    header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(pixels), 0, 0, 14 + 40)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 16, 0, len(pixels), 2835, 2835, 0, 0)
    path.write_bytes(header + info + pixels)


def icon_master(size=288):
    """Opaque to the corners: Qt takes 24-bit icon images as opaque and
    ignores their transparency mask."""
    big = Image.new("RGB", (size, size), STEEL_DARK)
    d = ImageDraw.Draw(big)
    d.rounded_rectangle([14, 14, size - 14, size - 14], radius=size // 8, fill=STEEL)
    font = ImageFont.truetype(str(SERIF_BOLD), size * 2 // 3)
    d.text((size / 2, size / 2), "§", font=font, fill=(255, 255, 255), anchor="mm")
    return big


def ico_entry(img, palette_colours):
    """One icon image as a bottom-up bitmap with an all-opaque mask."""
    size = img.width
    if palette_colours:
        indexed = img.convert("P", palette=Image.ADAPTIVE, colors=palette_colours)
        bits, palette = 8, indexed.getpalette()[: 3 * palette_colours]
        palette += [0] * (3 * palette_colours - len(palette))
        colour_table = b"".join(bytes((palette[i + 2], palette[i + 1], palette[i], 0))
                                for i in range(0, len(palette), 3))
        samples = list(indexed.getdata())
        encode = bytes
    else:
        bits, colour_table = 24, b""
        samples = list(img.getdata())
        def encode(row):
            return b"".join(bytes((b, g, r)) for r, g, b in row)
    xor_stride = (size * bits // 8 + 3) // 4 * 4
    and_stride = (size + 31) // 32 * 4
    xor_rows = [encode(samples[y * size:(y + 1) * size]).ljust(xor_stride, b"\0")
                for y in reversed(range(size))]
    pixels = b"".join(xor_rows) + bytes(and_stride * size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bits, 0, len(pixels), 0, 0,
                         palette_colours, 0)
    return bits, header + colour_table + pixels


def write_ico(path):
    """An icon of six images: 16 px in 256 colours, the larger in 24 bits."""
    master = icon_master()
    entries = [ico_entry(master.resize((s, s), Image.LANCZOS), 256 if s == 16 else 0)
               for s in ICON_SIZES]
    directory = struct.pack("<HHH", 0, 1, len(entries))
    offset = len(directory) + 16 * len(entries)
    data = b""
    for size, (bits, blob) in zip(ICON_SIZES, entries):
        directory += struct.pack("<BBBBHHII", size, size, 0, 0, 1, bits, len(blob), offset + len(data))
        data += blob
    path.write_bytes(directory + data)


def splash_picture(width=476, height=316):
    img = Image.new("RGB", (width, height))
    img.putdata([mix(STEEL_DARK, (12, 24, 44), (x / width + y / height) / 2)
                 for y in range(height) for x in range(width)])
    d = ImageDraw.Draw(img)
    mark = ImageFont.truetype(str(SERIF_BOLD), 300)
    d.text((width - 90, height / 2 + 10), "§", font=mark, fill=(40, 82, 124), anchor="mm")
    d.rectangle([0, 0, width, 6], fill=STEEL_LIGHT)
    d.rectangle([0, height - 6, width, height], fill=STEEL_LIGHT)
    title = ImageFont.truetype(str(SERIF_BOLD), 64)
    d.text((40, 150), "Lexoria", font=title, fill=(255, 255, 255), anchor="ls")
    d.line([(42, 168), (300, 168)], fill=GLOW, width=3)
    subtitle = ImageFont.truetype(str(SANS), 20)
    d.text((42, 200), "The statute, searchable offline", font=subtitle, fill=(214, 228, 242), anchor="ls")
    small = ImageFont.truetype(str(SANS), 13)
    d.text((42, 280), "Loading…", font=small, fill=STEEL_LIGHT, anchor="ls")
    return img


def save(img, path):
    path.parent.mkdir(parents=True, exist_ok=True)
    if path.suffix == ".jpg":
        img.convert("RGB").save(path, "JPEG", quality=92, optimize=False, progressive=False)
    elif path.suffix == ".gif":
        img.save(path, "GIF")
    else:
        img.save(path, "BMP")


def draw_skin(root):
    save(strip_picture(), root / "menuSTripe.jpg")
    write_ico(root / "app.ico")
    for name, subject in BUTTONS:
        if subject in LAMPS:
            save(picture(subject, False), root / name)
            continue
        save(picture(subject, False), root / "Normal" / name)
        save(picture(subject, True), root / "ON" / name)


def draw_design(out):
    out.mkdir(parents=True, exist_ok=True)
    files = []
    for index, (_, subject) in enumerate(BUTTONS):
        name = f"image1_{index}" + (".gif" if subject in WORDS else ".bmp")
        save(picture(subject, False), out / name)
        files.append((f"image1_{index}", name))
    write_bmp16(out / "strip.bmp")
    write_ico(out / "icon.ico")
    save(splash_picture(), out / "splash.jpg")
    files += [("strip", "strip.bmp"), ("icon", "icon.ico"), ("splash", "splash.jpg")]
    lines = ['<!DOCTYPE RCC><RCC version="1.0">', '<qresource prefix="/design">']
    lines += [f'  <file alias="{alias}">{name}</file>' for alias, name in files]
    lines += ["</qresource>", "</RCC>", ""]
    (out / "design.qrc").write_text("\n".join(lines))


def main(argv):
    if len(argv) != 3:
        sys.exit(f"usage: {argv[0]} SKIN_OUT_DIR DESIGN_OUT_DIR")
    draw_skin(Path(argv[1]))
    draw_design(Path(argv[2]))


if __name__ == "__main__":
    main(sys.argv)
