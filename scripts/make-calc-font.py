#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 Torvane Studio developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""Builds the calculator display font from an installed DejaVu Sans Mono.

Each code 128..255 of a program is drawn at its Windows-1252 position (the
way the program pane holds it) with the calculator's symbol for that code.
The symbols are read from src/calc/CalculatorSymbols.cpp, so the font and
the clipboard text never disagree. A symbol the source font lacks is put
together from outlines it has. The result carries its own family name, as
the source font's licence requires of a modified font.

usage: make-calc-font.py SOURCE.ttf CalculatorSymbols.cpp OUT.ttf
"""
import re
import sys

from fontTools.pens.boundsPen import BoundsPen
from fontTools.pens.recordingPen import DecomposingRecordingPen
from fontTools.pens.transformPen import TransformPen
from fontTools.pens.ttGlyphPen import TTGlyphPen
from fontTools.ttLib import TTFont

FAMILY = "Torvane Calc Mono"
POSTSCRIPT = "TorvaneCalcMono"
NO_GLYPH = 239
SHEAR = 0.21  # about 12 degrees, like the source family's oblique

# How to draw a symbol the source font has no single glyph for. Parts are
# Unicode characters of the source font.
RECIPES = {
    "\u208B\u2081": ("row", "\u208B\u2081", 1.0),  # -1 on the baseline
    "\u207B\u00B9": ("row", "\u207B\u00B9", 1.0),  # inverse
    "\u2491": ("row", "10", 0.62),  # power of ten
    "x\u0304": ("mark", "x", "\u0304"),
    "p\u0302": ("mark", "p", "\u0302"),
    "\u1D1B": ("small", "T"),
    "\u1D07": ("small", "E"),
    "\U0001D45B": ("slant", "n"),
    "\U0001D456": ("slant", "i"),
    "\u212F": ("slant", "e"),
    "\U0001D405": ("bold", "F"),
}


def read_symbols(path):
    """The 128 symbols of kSymbols, in code order."""
    src = open(path, encoding="utf-8").read()
    start = src.index("kSymbols[128] = {")
    block = src[start : src.index("};", start)]
    literals = re.findall(r'u"((?:[^"\\]|\\.)*)"', block)
    if len(literals) != 128:
        sys.exit(f"expected 128 symbols in {path}, found {len(literals)}")

    def decode(s):
        return re.sub(
            r"\\u([0-9A-Fa-f]{4})|\\U([0-9A-Fa-f]{8})",
            lambda m: chr(int(m.group(1) or m.group(2), 16)),
            s,
        )

    return [decode(s) for s in literals]


def display_char(byte):
    """Where the program pane holds a code: its Windows-1252 character."""
    try:
        return bytes([byte]).decode("cp1252")
    except UnicodeDecodeError:
        return chr(byte)  # the five positions the code page leaves undefined


class Builder:
    def __init__(self, font):
        self.font = font
        self.cmap = font.getBestCmap()
        self.glyphs = font.getGlyphSet()
        self.width = font["hmtx"][font.getGlyphOrder()[0]][0]
        self.new = {}

    def name_of(self, char):
        name = self.cmap.get(ord(char))
        if name is None:
            sys.exit(f"the source font has no glyph for U+{ord(char):04X}")
        return name

    def outline(self, char):
        pen = DecomposingRecordingPen(self.glyphs)
        self.glyphs[self.name_of(char)].draw(pen)
        return pen

    def bounds(self, char):
        pen = BoundsPen(self.glyphs)
        self.glyphs[self.name_of(char)].draw(pen)
        return pen.bounds

    def make(self, name, parts):
        """A new glyph from (char, affine transform) pairs."""
        pen = TTGlyphPen(None)
        for char, transform in parts:
            self.outline(char).replay(TransformPen(pen, transform))
        self.new[name] = pen.glyph()
        return name

    def glyph_for(self, symbol, byte):
        if len(symbol) == 1 and ord(symbol) in self.cmap:
            return self.cmap[ord(symbol)]
        recipe = RECIPES.get(symbol)
        if recipe is None:
            sys.exit(f"no way to draw the symbol of code {byte}: {symbol!r}")
        kind, name = recipe[0], f"calc{byte}"
        if kind == "row":
            # Side by side in one cell, narrowed to fit; `scale` shrinks them.
            chars, scale = recipe[1], recipe[2]
            boxes = [self.bounds(c) for c in chars]
            total = sum(b[2] - b[0] for b in boxes)
            sx = min(scale, 0.9 * self.width / total)
            x = (self.width - sx * total) / 2
            parts = []
            for c, b in zip(chars, boxes):
                parts.append((c, (sx, 0, 0, scale, x - sx * b[0], 0)))
                x += sx * (b[2] - b[0])
            return self.make(name, parts)
        if kind == "mark":
            base, mark = recipe[1], recipe[2]
            bb, mb = self.bounds(base), self.bounds(mark)
            dx = (bb[0] + bb[2]) / 2 - (mb[0] + mb[2]) / 2
            return self.make(name, [(base, (1, 0, 0, 1, 0, 0)), (mark, (1, 0, 0, 1, dx, 0))])
        if kind == "small":
            # A capital brought down to the height of the small letters.
            char = recipe[1]
            b = self.bounds(char)
            sy = self.bounds("x")[3] / b[3]
            sx = 0.85
            dx = (self.width - sx * (b[0] + b[2])) / 2
            return self.make(name, [(char, (sx, 0, 0, sy, dx, 0))])
        if kind == "slant":
            char = recipe[1]
            b = self.bounds(char)
            # Sheared about the middle of its height so it stays in its cell.
            dx = -SHEAR * (b[1] + b[3]) / 2
            return self.make(name, [(char, (1, 0, SHEAR, 1, dx, 0))])
        if kind == "bold":
            char = recipe[1]
            return self.make(
                name, [(char, (1, 0, 0, 1, -40, 0)), (char, (1, 0, 0, 1, 40, 0))]
            )
        sys.exit(f"unknown recipe {kind}")

    def box(self):
        """An empty box for the code the calculator draws nothing for."""
        pen = TTGlyphPen(None)
        w, t, left, bottom, top = self.width, 90, 200, 0, 1300
        right = w - left
        for x0, y0, x1, y1, clockwise in (
            (left, bottom, right, top, True),
            (left + t, bottom + t, right - t, top - t, False),
        ):
            pts = [(x0, y0), (x0, y1), (x1, y1), (x1, y0)]
            if not clockwise:
                pts.reverse()
            pen.moveTo(pts[0])
            for p in pts[1:]:
                pen.lineTo(p)
            pen.closePath()
        self.new["calcnone"] = pen.glyph()
        return "calcnone"


def rename(font):
    table = font["name"]
    version = table.getDebugName(5) or ""
    for rec in list(table.names):
        if rec.nameID in (1, 2, 3, 4, 6, 16, 17, 18):
            table.removeNames(nameID=rec.nameID)
    for name_id, text in (
        (1, FAMILY),
        (2, "Regular"),
        (3, f"{FAMILY}: calculator symbols on DejaVu Sans Mono {version}"),
        (4, FAMILY),
        (6, POSTSCRIPT),
    ):
        table.setName(text, name_id, 3, 1, 0x409)
        table.setName(text, name_id, 1, 0, 0)


def main(argv):
    if len(argv) != 4:
        sys.exit(__doc__)
    source, symbols_file, out = argv[1:]
    # The source's dates are kept, so the same inputs give the same file.
    font = TTFont(source, recalcTimestamp=False)
    symbols = read_symbols(symbols_file)
    b = Builder(font)

    mapping = {}
    for byte in range(128, 256):
        symbol = symbols[byte - 128]
        glyph = b.box() if byte == NO_GLYPH else b.glyph_for(symbol, byte)
        mapping[ord(display_char(byte))] = glyph
        # Text that names the symbol itself (the clipboard's) draws it too.
        if len(symbol) == 1:
            mapping.setdefault(ord(symbol), glyph)

    order = font.getGlyphOrder() + sorted(b.new)
    glyf, hmtx = font["glyf"], font["hmtx"]
    for name, glyph in b.new.items():
        glyf[name] = glyph
        glyph.recalcBounds(glyf)
        hmtx[name] = (b.width, glyph.xMin if glyph.numberOfContours else 0)
    font.setGlyphOrder(order)
    # Per-glyph device tables would no longer match the glyph list.
    for tag in ("hdmx", "LTSH", "VDMX", "FFTM"):
        if tag in font:
            del font[tag]

    for sub in font["cmap"].tables:
        if sub.isUnicode():
            for cp, glyph in mapping.items():
                if cp <= 0xFFFF or sub.format in (12, 13):
                    sub.cmap[cp] = glyph
    rename(font)
    font.save(out)


if __name__ == "__main__":
    main(sys.argv)
