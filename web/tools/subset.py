# SPDX-License-Identifier: MIT
"""Subsets a font to the characters the form can show, for the web page.

Usage: subset.py SOURCE OUTPUT.woff2 CHARACTERS-FILE [NEW-FAMILY-NAME]

With NEW-FAMILY-NAME the subset also takes that name in every name record
that names the font (family, full, unique and PostScript names): the IPA
Font License asks that a derived font (a subset is one) not carry the
original's name. The copyright notice and the licence records stay.
"""
import sys

from fontTools import subset
from fontTools.ttLib import TTFont

NAMING_IDS = {1, 3, 4, 6, 16, 18, 21}


def main(source, output, characters_file, new_family=None):
    with open(characters_file, encoding="utf-8") as f:
        characters = f.read()
    options = subset.Options()
    options.flavor = "woff2"
    options.hinting = False
    options.name_IDs = ["*"]
    options.name_languages = ["*"]
    font = TTFont(source)
    subsetter = subset.Subsetter(options)
    subsetter.populate(text=characters)
    subsetter.subset(font)
    if new_family:
        postscript = new_family.replace(" ", "")
        for record in font["name"].names:
            if record.nameID in NAMING_IDS:
                style = "Regular"
                record.string = {1: new_family, 16: new_family, 21: new_family, 4: f"{new_family} {style}",
                                 18: new_family, 6: f"{postscript}-{style}",
                                 3: f"{postscript}-{style}-subset"}[record.nameID]
    font.flavor = "woff2"
    font.save(output)


if __name__ == "__main__":
    main(*sys.argv[1:])
