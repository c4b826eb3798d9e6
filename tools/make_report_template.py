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
from rtf_documents import header, logo_picture, write_document

MARK = "\\'a7"          # the placeholder mark in code page 1252
ARROW = "{\\f1\\'ab}"   # the two-way arrow of the Symbol font
PLUS_MINUS = "\\'b1"
DEGREE = "\\'b0"
HALF = "\\'bd"


def blue(text):
    return "{\\cf2 " + text + "}"


def heading(text):
    return "\\b\\ul " + text + "\\ulnone\\b0\\par\n\\par\n"


def est(word):
    return word + " {\\sub est.}"


HEADER = header("", (1500, 500, 1000, 1000))

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
    write_document("NumResults.rtf", text)


if __name__ == "__main__":
    main()
