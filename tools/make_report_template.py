#!/usr/bin/env python3
"""Writes the numeric-report template that lies beside the program
(data/files/NumResults.rtf), with the logo data/files/OrvexLogo.png embedded.

    python3 tools/make_report_template.py

The report command reloads this file for every fix and replaces its 33 marks
"\u00a7" one after the other, in document order: the order of the marks below
is the order in which the command fills them, so a mark may be moved inside
its sentence but never before or after another mark. The file is plain RTF
that any word processor opens and saves again; keep the marks as they are.
"""
import pathlib

ROOT = pathlib.Path(__file__).resolve().parent.parent
FILES = ROOT / "data" / "files"

# The logo is shown 1705 x 1280 twips (about 3.0 x 2.26 cm).
LOGO_W_TWIPS = 1705
LOGO_H_TWIPS = 1280

MARK = "\\'a7"          # the placeholder mark in code page 1252
ARROW = "{\\f1\\'ab}"   # the two-way arrow of the Symbol font
PLUS_MINUS = "\\'b1"
DEGREE = "\\'b0"
HALF = "\\'bd"


def hex_lines(data, width=64):
    h = data.hex()
    return "\n".join(h[i:i + width * 2] for i in range(0, len(h), width * 2))


def logo_picture():
    png = (FILES / "OrvexLogo.png").read_bytes()
    w = int.from_bytes(png[16:20], "big")
    h = int.from_bytes(png[20:24], "big")
    return ("{\\pict\\pngblip\\picw%d\\pich%d\\picwgoal%d\\pichgoal%d\n%s}"
            % (w, h, LOGO_W_TWIPS, LOGO_H_TWIPS, hex_lines(png)))


def blue(text):
    return "{\\cf2 " + text + "}"


def heading(text):
    return "\\b\\ul " + text + "\\ulnone\\b0\\par\n\\par\n"


def est(word):
    return word + " {\\sub est.}"


HEADER = (
    "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1\n"
    "{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}{\\f1\\froman\\fcharset2 Symbol;}"
    "{\\f2\\fmodern\\fcharset0 Courier New;}}\n"
    "{\\colortbl;\\red0\\green0\\blue0;\\red0\\green0\\blue255;}\n"
    "\\paperw11906\\paperh16838\\margl1500\\margr500\\margt1000\\margb1000\n")

BODY = (
    # Logo, five blanks and the title.
    "\\pard\\plain\\f0\\fs20 " + logo_picture() + "     "
    "\\b\\ul Astronomic position by Orvex\\ulnone\\b0\\par\n"
    "\\pard\\plain\\f0\\fs24\\par\n"
    + heading("Position:") +
    "The " + blue("most probable position") + " on " + MARK + " is\\par\n"
    "Lat " + MARK + " and Long " + MARK + "\\par\n"
    "with an " + blue("ellipse of " + MARK + " % probability") + " of\\par\n"
    "  NS " + HALF + " axe = " + MARK + " nautical miles and\\par\n"
    "  EW " + HALF + " axe = " + MARK + " nautical miles.\\par\n"
    "The " + blue("circle of equivalent probability") + " has a radius of " + MARK
    + " nautical miles.\\par\n"
    "The estimated position on " + MARK + " was\\par\n"
    + est("Lat") + " " + MARK + " and " + est("Long") + " " + MARK + ".\\par\n"
    "\\par\n"
    + heading("Observer motion:") +
    MARK + "\\par\n"
    "\\par\n"
    + heading("Statistics:") +
    "The program found a solution after " + MARK + " iterations.\\par\n"
    "The " + blue("weight given to the observations") + " after statistic analysis is\\par\n"
    "(from not valid 0 % to 100 % certainty):\\par\n"
    + MARK + "\\par\n"
    "The " + blue("standard deviations") + " for the " + MARK + " solutions is:\\par\n"
    "Lat " + MARK + " " + PLUS_MINUS + " " + MARK + "\\par\n"
    "Long " + MARK + " " + PLUS_MINUS + " " + MARK + "\\par\n"
    + MARK + ".\\par\n"
    "\\par\n"
    + heading("Conditions of the observations:") +
    "Height of observer eye: " + MARK + " m " + ARROW + " " + MARK + " feet.\\par\n"
    "Air temperature: " + MARK + " " + DEGREE + "C " + ARROW + " " + MARK + " "
    + DEGREE + "F.\\par\n"
    "Water temperature: " + MARK + " " + DEGREE + "C " + ARROW + " " + MARK + " "
    + DEGREE + "F.\\par\n"
    "Atmospheric pressure: " + MARK + " mbars (hPa) " + ARROW + " " + MARK
    + " inches of Hg.\\par\n"
    # The page break before the details: blank lines up to the page end.
    + MARK + "\\par\n"
    + heading("Details:") +
    "Follow the detailed results for every observation computed\\par\n"
    + MARK + " on " + MARK + ":\\par\n"
    + est("Lat") + " " + MARK + " and " + est("Long") + " " + MARK + ".\\par\n"
    "The main algorithm of Orvex does not use these results.\\par\n"
    "They are only provided for comparison with manual calculations.\\par\n"
    "\\par\n"
    # The per-sight blocks take the place of the last mark.
    "\\pard\\tx993\\plain\\f0\\fs24 " + MARK + "\n"
    "}\n")


def main():
    text = HEADER + BODY
    assert text.count(MARK) == 33, text.count(MARK)
    (FILES / "NumResults.rtf").write_bytes(text.replace("\n", "\r\n").encode("cp1252"))


if __name__ == "__main__":
    main()
