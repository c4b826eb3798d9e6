// Reads rich-text (RTF) documents into a QTextDocument: the report
// templates and letters that lie beside the program, which a user may edit
// and save again in any word processor.
//
// Understood: groups; control words and symbols; "\'hh" in code page 1252;
// "\uN" with its "\ucN" fallback count (surrogate pairs included); the font
// table (with \fcharset2 or the name "Symbol" the characters of that font
// are turned into their Unicode equivalents and drawn in the default font)
// and the colour table; \b \i
// \ul (and its kinds) \ulnone \strike \sub \super \nosupersub \fs \f \cf
// \plain \v (hidden text is dropped) \highlight \cb; \pard \par \line \tab
// \page \sect \li \ri \fi \sb \sa \sl \slmult \ql \qc \qr \qj \tx (with
// \tqr \tqc \tqdec); \cell
// and \row of tables as a tab and a paragraph end; the special characters
// (\emdash \endash \bullet \lquote \rquote \ldblquote \rdblquote \~ \- \_
// \emspace \enspace); \pict with PNG or JPEG data (hex or \bin) and its
// goal size and scale; \shppict (its \nonshppict alternative is dropped);
// fields through their result (a HYPERLINK field's result becomes a link);
// \pntext and \listtext as the text they show.
// Skipped: every "\*" destination the reader does not know, and the
// destinations that hold no body text (\stylesheet, \info, headers, footers,
// footnotes, list tables, objects other than their \result, ...).
//
// Lengths: RTF counts twips (1440 per inch); the document counts pixels at
// 96 per inch, so one pixel is kTwipsPerPixel twips. Font sizes are points.
// Pictures carry their display size in twips as the image properties
// kImageWidthTwips and kImageHeightTwips.
//
// Bad input never crashes or hangs the reader: unbalanced braces are
// tolerated (a missing "}" at the end closes the groups, a surplus "}" is
// ignored), numbers are clamped, nesting is limited, a picture that cannot
// be decoded is left out. Text that does not start with "{\rtf" is refused.
#pragma once

#include <QByteArray>
#include <QString>
#include <QTextFormat>

class QTextDocument;

namespace orvex {

inline constexpr double kTwipsPerPixel = 15.0;
inline constexpr int kImageWidthTwips = QTextFormat::UserProperty + 1;
inline constexpr int kImageHeightTwips = QTextFormat::UserProperty + 2;

// The deepest group nesting read; the content of deeper groups is dropped.
inline constexpr int kMaxRtfDepth = 400;

struct RtfReadResult {
    bool ok = false;
    QString error;            // why the document was refused, for the user
    int pictures = 0;         // pictures placed
    int droppedPictures = 0;  // pictures in a format that is not read
};

// Reads `data` into `doc`. On success the document holds the text and its
// formatting (its previous content is replaced); on failure `doc` is left
// exactly as it was and the result says why.
RtfReadResult ReadRtf(const QByteArray& data, QTextDocument& doc);

// Reads a file; a file that cannot be opened is refused with the system's
// reason.
RtfReadResult ReadRtfFile(const QString& path, QTextDocument& doc);

// The Unicode character of a byte of the Symbol font (0x20 to 0xFE);
// other bytes are returned as their code page 1252 character.
QChar SymbolFontChar(unsigned char byte);

// The Unicode character of a byte in code page 1252.
QChar Cp1252Char(unsigned char byte);

}  // namespace orvex
