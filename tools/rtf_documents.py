"""What the RTF documents beside the program have in common: where they lie,
the embedded logo, the page header and the way they are written (CR LF line
ends, code page 1252)."""
import pathlib

ROOT = pathlib.Path(__file__).resolve().parent.parent
FILES = ROOT / "data" / "files"

# The logo is shown 1705 x 1280 twips (about 3.0 x 2.26 cm).
LOGO_W_TWIPS = 1705
LOGO_H_TWIPS = 1280


def hex_lines(data, width=64):
    h = data.hex()
    return "\n".join(h[i:i + width * 2] for i in range(0, len(h), width * 2))


def logo_picture():
    png = (FILES / "OrvexLogo.png").read_bytes()
    # PNG header: width and height are the 4-byte numbers at offsets 16, 20.
    w = int.from_bytes(png[16:20], "big")
    h = int.from_bytes(png[20:24], "big")
    return ("{\\pict\\pngblip\\picw%d\\pich%d\\picwgoal%d\\pichgoal%d\n%s}"
            % (w, h, LOGO_W_TWIPS, LOGO_H_TWIPS, hex_lines(png)))


def header(colours, margins):
    """The document's opening: Arial, Symbol and Courier New fonts, the
    colour table (after black and blue, `colours` as extra RTF colour
    entries), an A4 page and its margins (left, right, top, bottom, twips)."""
    return (
        "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1\n"
        "{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}{\\f1\\froman\\fcharset2 Symbol;}"
        "{\\f2\\fmodern\\fcharset0 Courier New;}}\n"
        "{\\colortbl;\\red0\\green0\\blue0;\\red0\\green0\\blue255;" + colours + "}\n"
        "\\paperw11906\\paperh16838\\margl%d\\margr%d\\margt%d\\margb%d\n" % margins)


def write_document(name, text):
    """Writes data/files/`name` with CR LF line ends in code page 1252."""
    (FILES / name).write_bytes(text.replace("\n", "\r\n").encode("cp1252"))
