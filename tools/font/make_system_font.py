#!/usr/bin/python3
"""Renders the system font into platform/gdi/system_font_data.cpp.

The platform draws all text with one embedded bitmap font so that text extents, dialog
base units and screenshots are identical on every machine. This script turns a
TrueType font into that bitmap font: each character of Windows code page 1252 is
rendered without anti-aliasing into a 16-pixel cell and stored as rows of bits.

The figures, '.' and '+' are the exception: they are drawn here by
hand (FIGURES) on a narrower, tabular grid. The program shows its results in fields 64
pixels wide, and the typeface's own 8-pixel figures and 10-pixel plus sign make a rate
such as "8.888e+08" 71 pixels wide, so its last figure would be cut off. Letters keep
their widths, so the average character width and the dialog base units do not move.

Input: DejaVu Sans Bold from Debian's fonts-dejavu-core package (its licence is in
README.md beside this script). Needs python3-pil. The generated file is committed, so
builds need neither.

Usage: tools/font/make_system_font.py [--preview out.png]
"""
import argparse
import os

from PIL import Image, ImageDraw, ImageFont

FONT_PATH = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"
PIXEL_SIZE = 12
CELL_HEIGHT = 16
ASCENT = 13          # baseline row + 1; one row of internal leading above the tallest glyph
MAX_ADVANCE = 16     # glyph rows are 16-bit masks
FIRST, LAST = 0x20, 0xFF
# Every figure advances the same width, so columns of numbers line up and the widest
# result text is known: "8.888e+08" needs 6 figures, '.', 'e' and '+' = 61 pixels.
FIGURE_ADVANCE = 7

# Each entry is (top row in the cell, rows); '#' is ink and every row is as wide as the
# glyph's advance. The first column stays blank: it is the gap after the previous glyph,
# as in the rendered characters. Figures stand on the baseline and are as tall as the
# capitals (rows 4 to 12), with 2-pixel stems like the rest of the bold face.
FIGURES = {
    "0": (4, ["..####.",
              ".##..##",
              ".##..##",
              ".##..##",
              ".##..##",
              ".##..##",
              ".##..##",
              ".##..##",
              "..####."]),
    "1": (4, [".####..",
              "...##..",
              "...##..",
              "...##..",
              "...##..",
              "...##..",
              "...##..",
              "...##..",
              ".######"]),
    "2": (4, ["..####.",
              ".#...##",
              ".....##",
              ".....##",
              "....##.",
              "...##..",
              "..##...",
              ".##....",
              ".######"]),
    "3": (4, ["..####.",
              ".#...##",
              ".....##",
              ".....##",
              "...###.",
              ".....##",
              ".....##",
              ".#...##",
              "..####."]),
    "4": (4, [".....##",
              "....###",
              "...####",
              "...#.##",
              "..##.##",
              ".##..##",
              ".######",
              ".....##",
              ".....##"]),
    "5": (4, [".#####.",
              ".##....",
              ".##....",
              ".#####.",
              "....###",
              ".....##",
              ".....##",
              "....###",
              ".#####."]),
    "6": (4, ["...###.",
              "..##...",
              ".##....",
              ".#####.",
              ".##..##",
              ".##..##",
              ".##..##",
              ".##..##",
              "..####."]),
    "7": (4, [".######",
              ".....##",
              "....##.",
              "....##.",
              "...##..",
              "...##..",
              "..##...",
              "..##...",
              "..##..."]),
    "8": (4, ["..####.",
              ".##..##",
              ".##..##",
              ".##..##",
              "..####.",
              ".##..##",
              ".##..##",
              ".##..##",
              "..####."]),
    "9": (4, ["..####.",
              ".##..##",
              ".##..##",
              ".##..##",
              ".##..##",
              "..#####",
              ".....##",
              "....##.",
              "..###.."]),
    ".": (11, [".##.",
               ".##."]),
    "+": (7, ["...#...",
              "...#...",
              ".#####.",
              "...#...",
              "...#..."]),
}

OUT = os.path.join(os.path.dirname(__file__), "..", "..", "platform", "gdi",
                   "system_font_data.cpp")


def char_of(code):
    try:
        return bytes([code]).decode("cp1252")
    except UnicodeDecodeError:
        return None


def render(font, ch):
    """Returns (advance, rows) with bit 15 of each row the leftmost pixel."""
    advance = min(MAX_ADVANCE, max(1, round(font.getlength(ch))))
    image = Image.new("1", (MAX_ADVANCE + 8, CELL_HEIGHT), 0)
    draw = ImageDraw.Draw(image)
    draw.fontmode = "1"
    draw.text((0, ASCENT), ch, font=font, fill=1, anchor="ls")
    rows = []
    for y in range(CELL_HEIGHT):
        bits = 0
        for x in range(advance):
            if image.getpixel((x, y)):
                bits |= 0x8000 >> x
        rows.append(bits)
    return advance, rows


def drawn(ch):
    """Returns (advance, rows) for a hand-drawn glyph from FIGURES."""
    top, art = FIGURES[ch]
    advance = len(art[0])
    if (any(len(r) != advance or r[0] != "." for r in art) or top + len(art) > CELL_HEIGHT
            or (ch.isdigit() and advance != FIGURE_ADVANCE)):
        raise ValueError("hand-drawn glyph %r does not fit its grid" % ch)
    rows = [0] * CELL_HEIGHT
    for y, r in enumerate(art):
        rows[top + y] = sum(0x8000 >> x for x, c in enumerate(r) if c == "#")
    return advance, rows


def box_glyph():
    """The glyph for codes the font has no character for: an outlined box."""
    advance = 8
    rows = [0] * CELL_HEIGHT
    for y in range(3, ASCENT):
        rows[y] = 0x8200 if y not in (3, ASCENT - 1) else 0xFE00
    return advance, rows


# Result texts at their widest, each shown in a 64-pixel field like the program's.
PREVIEW_FIELD = 64
PREVIEW_SAMPLES = ["8.888e+08", "88888888", "0.000e+00", "1.205e+05", "7923930"]


def save_preview(path, glyphs):
    """Writes the printable ASCII characters and sample result fields, enlarged 3 times."""
    def draw(image, x, y, text):
        for ch in text:
            advance, rows = glyphs[ord(ch)]
            for dy, r in enumerate(rows):
                for dx in range(advance):
                    if r & (0x8000 >> dx):
                        image.putpixel((x + dx, y + dy), 0)
            x += advance

    ascii_text = "".join(chr(c) for c in range(0x20, 0x7F))
    width = sum(glyphs[ord(ch)][0] for ch in ascii_text)
    image = Image.new("L", (width + 4, CELL_HEIGHT * 3 + 8), 255)
    draw(image, 2, 4, ascii_text)
    x = 2
    for sample in PREVIEW_SAMPLES:
        ImageDraw.Draw(image).rectangle(
            (x, CELL_HEIGHT * 2, x + PREVIEW_FIELD - 1, CELL_HEIGHT * 3 - 1), fill=215)
        draw(image, x, CELL_HEIGHT * 2, sample)
        x += PREVIEW_FIELD + 8
    image = image.resize((image.width * 3, image.height * 3), Image.NEAREST)
    image.save(path)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--preview")
    args = parser.parse_args()
    font = ImageFont.truetype(FONT_PATH, PIXEL_SIZE)
    glyphs = []
    for code in range(FIRST, LAST + 1):
        ch = char_of(code)
        if ch is None or (code >= 0x7F and not ch.isprintable() and ch != "\xa0"):
            glyphs.append((code, box_glyph()))
        elif ch in FIGURES:
            glyphs.append((code, drawn(ch)))
        else:
            glyphs.append((code, render(font, ch)))

    lines = [
        "// Generated by tools/font/make_system_font.py from DejaVu Sans Bold (Bitstream Vera",
        "// licence: Copyright (c) 2003 by Bitstream, Inc. All Rights Reserved; DejaVu changes are",
        "// in the public domain; the full notice is in tools/font/README.md). The figures, '.'",
        "// and '+' are drawn by hand in the script, narrower and all figures the same width.",
        "// Do not edit: change the script and run it again.",
        '#include "gdi/system_font.h"',
        "",
        "namespace gdi {",
        "",
        "const SystemFontGlyph kSystemFontGlyphs[kSystemFontLast - kSystemFontFirst + 1] = {",
    ]
    for code, (advance, rows) in glyphs:
        row_text = ", ".join("0x%04X" % r for r in rows)
        lines.append("    {%d, {%s}},  // 0x%02X" % (advance, row_text, code))
    lines += ["};", "", "}  // namespace gdi", ""]
    with open(OUT, "w") as f:
        f.write("\n".join(lines))

    if args.preview:
        save_preview(args.preview, dict((code, g) for code, g in glyphs))


if __name__ == "__main__":
    main()
