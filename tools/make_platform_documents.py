#!/usr/bin/env python3
"""Writes the about text and the introduction letter that lie beside the
program (data/files/InfoProg.rtf and data/files/IntroLetter.rtf), with the
logo data/files/OrvexLogo.png embedded.

    python3 tools/make_platform_documents.py

The files are plain RTF that any word processor opens and saves again.
"""
from rtf_documents import header, logo_picture, write_document

HEADER = header("\\red11\\green42\\blue74;\\red160\\green0\\blue0;", (1134, 1134, 1134, 1134))

INFO = HEADER + (
    "\\pard\\plain\\f0\\fs24 " + logo_picture() + "\\par\n"
    "\\pard\\qc\\sb120\\b\\fs32\\cf3 Orvex\\b0\\fs24\\cf0\\par\n"
    "\\pard\\qc\\i Celestial navigation at sea\\i0\\par\n"
    "\\pard\\qc Version 1.2\\par\n"
    "\\pard\\par\n"
    "\\pard\\qj\\b\\ul What Orvex does\\ulnone\\b0\\par\n"
    "\\pard\\qj\\li284 From one set of sextant sights Orvex computes the most probable "
    "position of the ship by a least-squares fit of all the lines of position at once, "
    "with the ship's course and speed when the sights allow it, the systematic error of "
    "the observer and an ellipse of {\\cf2 equivalent probability}. It computes its own "
    "ephemeris of 58 stars, the Sun, the Moon, Venus, Mars, Jupiter and Saturn: "
    "no almanac is needed.\\par\n"
    "\\pard\\li284\\fi-284\\tx284{\\f1\\'b7}\\tab The star-fix wizard chooses bright, "
    "well-spread stars for twilight.\\par\n"
    "{\\f1\\'b7}\\tab The azimuth tool gives the gyro and compass error.\\par\n"
    "{\\f1\\'b7}\\tab The sailing utilities solve rhumb lines, great circles and composite "
    "sailings on the sphere or on an ellipsoid.\\par\n"
    "\\pard\\par\n"
    "\\pard\\qj\\b\\ul Notation\\ulnone\\b0\\par\n"
    "\\pard\\li284 Heights: H{\\sub s} sextant altitude, H{\\sub o} observed altitude, "
    "H{\\sub c} computed altitude; intercept {\\f1\\'44}H = H{\\sub o} \\endash  H{\\sub c}."
    "\\line Units: 1 m {\\f1\\'ab} 3.28084 feet; 1013.25 hPa {\\f1\\'ab} 29.92 inches of "
    "Hg; 20 \\u176\\'b0C = 68 \\u176\\'b0F; accuracy \\u177\\'b1 0.1'.\\par\n"
    "\\pard\\par\n"
    "\\pard\\qj\\b\\ul Licence\\ulnone\\b0\\par\n"
    "\\pard\\qj\\li284\\fs20 Copyright \\u169\\'a9 The Orvex developers. Orvex is free "
    "software: you may use, copy and share it under the terms of the licence that comes "
    "with it. It is provided \\ldblquote as is\\rdblquote , without warranty of any kind, "
    "express or implied, including fitness for a particular purpose.\\par\n"
    "\\pard\\qj\\li284\\fs20\\cf4 A prudent navigator never relies on a single means of "
    "navigation: check every position that Orvex gives against every other means at "
    "hand.\\cf0\\fs24\\par\n"
    "}\n")

LETTER = HEADER + (
    "\\pard\\plain\\f2\\fs20 " + logo_picture() + "\\par\n"
    "\\pard\\f2\\fs20\\par\n"
    "Dear navigator,\\par\n"
    "\\par\n"
    "Welcome aboard, and thank you for trying {\\b Orvex}.\\par\n"
    "\\par\n"
    "To take your first star fix:\\par\n"
    "\\pard\\f2\\fs20\\li567\\fi-283\\tx567 1.\\tab Open the star-fix page and enter your "
    "estimated position, its time and the time at which you want the fix.\\par\n"
    "2.\\tab Enter the ship's course and speed, your height of eye and the weather.\\par\n"
    "3.\\tab Type each sight in the grid: time (UT), body and sextant altitude.\\par\n"
    "4.\\tab Press {\\i Numeric results} or {\\i Graphic results}.\\par\n"
    "\\pard\\f2\\fs20\\par\n"
    "Not sure which stars to shoot? The star-fix wizard picks bright, well-spread stars "
    "for the coming twilight and follows them minute by minute.\\par\n"
    "\\par\n"
    "The manual (Help menu) tells the rest. Your comments are welcome: the buttons below "
    "open the web page and a mail to the author.\\par\n"
    "\\par\n"
    "Fair winds and clear horizons,\\par\n"
    "\\par\n"
    "\\i The Orvex developers\\i0\\par\n"
    "}\n")


def main():
    write_document("InfoProg.rtf", INFO)
    write_document("IntroLetter.rtf", LETTER)


if __name__ == "__main__":
    main()
