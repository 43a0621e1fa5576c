#!/usr/bin/env python3
"""Cuts a Japanese face down to the characters the player's own texts use.

The windows draw their captions in the IPA faces. Opened whole, a face costs the program about
a megabyte of memory: FreeType reads its whole character map, and the kernel maps 64 KB of the
file around every glyph read. The cut face holds only the glyphs of the player's texts (the
window descriptions and the strings in its code), ASCII and Latin-1, with the outlines,
metrics and hinting unchanged, so it draws those texts exactly as the whole face does. The
program asks for it first and falls back to the whole face for any other character (a disc's
titles).

The cut face gets a name of its own, as the face's licence asks of a changed face; its
copyright and licence records are kept.

    make_caption_fonts.py SOURCE.ttf OUTPUT.ttf FAMILY TEXT_FILE...
"""

import sys

from fontTools import subset
from fontTools.ttLib import TTFont

# Besides the program's texts, the letters of Western disc titles. A Japanese title nearly
# always has kanji the cut lacks, so the whole face is opened for it anyway, and the kana are
# left to it too.
ALWAYS = [
    range(0x20, 0x7F),  # ASCII
    range(0xA0, 0x100),  # Latin-1
]

# Name records that carry the face's name; the others (copyright, version, licence) stay.
FAMILY, SUBFAMILY, UNIQUE, FULL, POSTSCRIPT, TYPO_FAMILY, TYPO_SUBFAMILY = 1, 2, 3, 4, 6, 16, 17


def characters(paths):
    wanted = set()
    for r in ALWAYS:
        wanted.update(r)
    for path in paths:
        with open(path, encoding="utf-8", errors="replace") as f:
            wanted.update(ord(c) for c in f.read() if ord(c) > 0x7F and c != "\ufffd")
    return wanted


def rename(font, family):
    table = font["name"]
    style = table.getDebugName(SUBFAMILY) or "Regular"
    version = font["head"].fontRevision
    names = {
        FAMILY: family,
        UNIQUE: f"{family} {version:.2f}",
        FULL: family if style == "Regular" else f"{family} {style}",
        POSTSCRIPT: family.replace(" ", "") + ("" if style == "Regular" else "-" + style),
    }
    table.names = [r for r in table.names if r.nameID not in (TYPO_FAMILY, TYPO_SUBFAMILY)]
    for record in table.names:
        if record.nameID in names:
            record.string = names[record.nameID]


def main(argv):
    if len(argv) < 4:
        sys.stderr.write(__doc__)
        return 2
    source, output, family, texts = argv[0], argv[1], argv[2], argv[3:]
    options = subset.Options()
    options.name_IDs = ["*"]
    options.name_languages = ["*"]
    options.name_legacy = True
    options.notdef_outline = True
    options.legacy_kern = True
    options.prune_unicode_ranges = False
    options.glyph_names = False
    font = TTFont(source)
    subsetter = subset.Subsetter(options)
    subsetter.populate(unicodes=characters(texts))
    subsetter.subset(font)
    rename(font, family)
    font.save(output)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
